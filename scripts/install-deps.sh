#!/usr/bin/env bash
# The one list of Debian packages this project needs to build, test, fuzz and benchmark.
# Installs only what is missing; safe to run again. Needs root (or sudo) on Debian 12.
set -euo pipefail

PACKAGES=(
  # toolchain
  build-essential cmake ninja-build pkg-config git ccache
  clang libclang-rt-14-dev          # libFuzzer and the sanitizer runtimes
  # libraries
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libemf-dev
  qt6-multimedia-dev                # the viewer's sounds
  libgtest-dev libgmock-dev googletest
  libbenchmark-dev
  libcli11-dev
  nlohmann-json3-dev
  # installation: manual pages from --help, the Debian package (cpack finds libraries with file)
  help2man file dpkg-dev
  # running the desktop programs headless, and looking at them
  fonts-liberation2 fontconfig xvfb xauth imagemagick
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
