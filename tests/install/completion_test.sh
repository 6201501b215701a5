#!/usr/bin/env bash
# The bash completion offers each tool's verbs, a verb's options and the values of the options that
# take one of a few words.   completion_test.sh COMPLETION_SCRIPT TOOL_DIR...
set -uo pipefail  # as an interactive shell runs it: no -e
script=$1; shift
for dir in "$@"; do PATH=$dir:$PATH; done
source "$script"
failed=0
expect() {  # WANTED WORD...
  local wanted=$1; shift
  COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMPREPLY=()
  _km_cli
  if [[ " ${COMPREPLY[*]} " != *" $wanted "* ]]; then
    echo "completing '$*' offers '${COMPREPLY[*]}', not '$wanted'"; failed=1
  fi
}
expect info keltor-cli ""
expect list keltor-cli li
expect --full keltor-cli list --f
expect -o keltor-cli list -
expect --data keltor-cli info /some/file --
if command -v morvane-cli >/dev/null; then
  expect status morvane-cli st
  expect --top-view morvane-cli render --to
  expect sqrt morvane-cli render --scaling s
fi
exit $failed
