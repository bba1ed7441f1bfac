#!/usr/bin/env bash
# Builds the Debian package from the Release configuration (preset "package", in build/package)
# and prints its name after lintian's findings on it, counted by tag (dir-or-file-in-opt is
# expected: the program finds its catalogue beside its executable). Install it with
#   apt-get install ./build/package/krantek-catalog_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh package
cmake --preset package >/dev/null
cmake --build --preset package
rm -f build/package/*.deb
(cd build/package && cpack -G DEB >/dev/null)
deb=$(ls build/package/*.deb)
echo "lintian (count, tag):"
{ lintian "$deb" 2>/dev/null || true; } | awk '{ print $1, $3 }' | sort | uniq -c | sed 's/^/  /'
echo "$deb"
