#!/usr/bin/env bash
# Makes the Debian packages from the normal build (build/default, already built) and checks
# them as Debian and the desktops do: lintian (errors and warnings fail), the desktop entry's
# and the AppStream metainfo's validators. The packages land in build/default/packages.
set -euo pipefail
cd "$(dirname "$0")/.."
rm -rf build/default/packages
(cd build/default && cpack -G DEB >/dev/null)
lintian --fail-on error,warning build/default/packages/*.deb
desktop-file-validate build/default/packaging/*.desktop
appstreamcli validate --no-net build/default/packaging/*.metainfo.xml
ls build/default/packages/*.deb
