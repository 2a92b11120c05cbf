# Compile settings for the project's own targets. Third-party code (Qt's generated sources,
# GoogleTest) is not held to -Werror, so the flags go on our targets only.
function(qx4t_strict target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
