# Writes IMAGE's SHA-256 to OUTPUT as sha256sum prints it ("<64 hex digits>  <name>"), so that
# `sha256sum -c` can check the file by hand and the build can embed the digest beside it.
file(SHA256 "${IMAGE}" digest)
get_filename_component(name "${IMAGE}" NAME)
file(WRITE "${OUTPUT}.tmp" "${digest}  ${name}\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
