#!/usr/bin/env bash
# Builds and runs every test: the plain suite, the cores without Qt, the suite under AddressSanitizer
# and UndefinedBehaviorSanitizer, and a short run of each fuzzer. Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
# Four builds of one tree: ccache spares recompiling what an earlier run (of any clone) compiled already,
# and what the plain build compiled for the build without Qt (the build folder is left out of the key:
# only the debugging information's working folder would differ).
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
fi
FUZZ_SECONDS=${FUZZ_SECONDS:-30}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

step() { printf '\n=== %s\n' "$*"; }
run_suite() {  # preset
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
  ctest --preset "$1" -j "$(nproc)" --timeout 300 | tee -a "$log"
}

step "plain build and tests"
run_suite dev

step "cores and command-line tools without Qt"
run_suite core-only

step "AddressSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_suite asan-ubsan

step "fuzzers, ${FUZZ_SECONDS} s each"
cmake --preset fuzz >/dev/null
fuzzers=$(for seeds in fuzz/corpus/*/; do basename "$seeds"; done)
cmake --build --preset fuzz --target $fuzzers  # the harnesses alone, not the programs
fuzz_failed=0
for seeds in fuzz/corpus/*/; do
  name=$(basename "$seeds")
  work=$(mktemp -d)
  cp -r "$seeds". "$work"/
  if build/fuzz/fuzz/"$name" -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 "$work" 2>"$work.log"; then
    grep -E 'stat::number_of_executed_units' "$work.log" | sed "s/^/$name: /"
  else
    tail -n 40 "$work.log"; fuzz_failed=$((fuzz_failed + 1))
  fi
  rm -rf "$work" "$work.log"
done

passed=$(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$log" | awk '{t+=$6; f+=$1} END {print t-f}')
failed=$(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$log" | awk '{f+=$1} END {print f+0}')
failed=$((failed + fuzz_failed))
echo
echo "${passed:-0} passed, ${failed} failed"
[ "$failed" -eq 0 ]
