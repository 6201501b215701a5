#!/usr/bin/env bash
# Builds the programs (optimised) and starts the workbench on a demo file, for the demo user "lab1".
# Installs what is missing first. Without a display the workbench cannot show a window; then the
# command-line tool describes the file.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset optimised >/dev/null
cmake --build --preset optimised
demo=$PWD/build/optimised/demo
mkdir -p "$demo"
build/optimised/tools/make-demo-files "$demo" >/dev/null
if [ -x build/optimised/keltor/gui/keltor ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  # The demo folder stands in for the suite's program directory, with the user profile USERS/lab1.USR.
  KM_PROGRAM_DIRECTORY="$demo" exec build/optimised/keltor/gui/keltor /Ulab1 "$demo/demo.raw"
fi
exec build/optimised/keltor/cli/keltor-cli info "$demo/demo.raw"
