#!/usr/bin/env bash
# Builds the Debian package from a fresh build directory: optimised programs installed below /usr, with
# their data, desktop entries, file types, icons, manual pages and shell completion. Installs what is
# missing first, checks the package in a scratch root, and leaves it in build/package.
#
#   bash scripts/package.sh        then, as root: apt install ./build/package/keltor-morvane_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
if [ -d .git ] || [ -f .git ]; then
  if [ -n "$(git status --porcelain 2>/dev/null)" ]; then
    echo "package.sh: warning: the working tree has changes that are not committed; they go into the package" >&2
  fi
fi
rm -rf build/package
cmake --preset package >/dev/null
cmake --build --preset package
(cd build/package && cpack -G DEB >/dev/null)
deb=$(ls build/package/keltor-morvane_*.deb)
bash scripts/check-package.sh build/package "$deb"
echo "$deb"
