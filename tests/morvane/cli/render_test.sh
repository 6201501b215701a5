#!/usr/bin/env bash
# morvane-cli on the demo temperature series: the three picture formats, a status file round trip
# that draws the same picture, and the exit codes of refusals and usage errors.
set -u
cli=$1 demo=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi; }
# exits with the code given, and says the text given (if any) on standard error
exits() { local code=$1 text=$2; shift 2; "$cli" render "$@" 2>"$work/err"; [ $? -eq "$code" ] && { [ -z "$text" ] || grep -q "$text" "$work/err"; }; }

"$demo" "$work" >/dev/null
check "png" '"$cli" render "$work/series.raw" -o "$work/w.png" --save-status "$work/w.kzs"'
check "png is 800 x 600" '[ "$(head -c 24 "$work/w.png" | tail -c 8 | od -An -tx1 | tr -d " \n")" = "0000032000000258" ]'
check "svg" '"$cli" render "$work/series.raw" --top-view -o "$work/t.svg" && grep -q "2Theta" "$work/t.svg"'
check "pdf" '"$cli" render "$work/series.raw" --size 1024x768 -o "$work/w.pdf" && grep -aq "MediaBox \[0 0 768" "$work/w.pdf"'
check "status round trip" '"$cli" render --status "$work/w.kzs" -o "$work/again.png" && cmp -s "$work/w.png" "$work/again.png"'
check "status shows the files" '"$cli" status "$work/w.kzs" | grep -q "series.012"'
check "selection" '"$cli" render --files "$work/series.001" "$work/series.002" -o "$work/s.png"'
printf '3DGraphics Status File\r\nMainWin:       0 0 640 400\r\nNumFiles:      1\r\nFile0:         %s\r\n' "$work/series.raw" >"$work/m.kzs"
check "status naming the master file" '"$cli" render --status "$work/m.kzs" -o "$work/m.png" && cmp -s "$work/w.png" "$work/m.png"'
printf '3DGraphics Status File\r\nMainWin:       0 0 640 400\r\nNumFiles:      0\r\n' >"$work/none.kzs"
check "status without files draws the placeholder set and says so" \
  'exits 0 "^warning: .*placeholder set" --status "$work/none.kzs" -o "$work/none.png" && [ -s "$work/none.png" ]'
check "emf" '"$cli" render "$work/series.raw" -o "$work/w.emf" && [ "$(dd if="$work/w.emf" bs=1 skip=40 count=4 2>/dev/null)" = " EMF" ]'
check "unwritable metafile" 'exits 1 "Cannot write metafile - file in use." "$work/series.raw" -o "$work/no/such/dir/w.emf"'
check "missing file" 'exits 1 "Raw file does not exist" "$work/missing.raw" -o "$work/x.png"'
check "unknown format" 'exits 2 "" "$work/series.raw" -o "$work/x.gif"'
check "two sources" 'exits 2 "" "$work/series.raw" --files "$work/series.001" -o "$work/x.png"'
exit $failed
