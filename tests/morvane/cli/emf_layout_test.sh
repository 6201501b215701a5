#!/usr/bin/env bash
# The metafile as the user's other programs see it: LibreOffice converts morvane-cli's .emf of the
# demo series to PNG, and that picture must have the layout of the PNG render of the same window.
# Both pictures are cut to what is drawn on them (the converter puts the metafile on a page), brought
# to one small size, softened, and compared pixel by pixel: a converted metafile differs from the
# render only in line widths and font hinting, while a picture with its depth order inverted (same
# box, same labels) already differs six times as much. Skipped (77) without LibreOffice or ImageMagick.
set -u
cli=$1 demo=$2
command -v soffice >/dev/null && command -v convert >/dev/null && command -v compare >/dev/null || {
  echo "skipped: soffice or ImageMagick missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi; }

"$demo" "$work" >/dev/null
for out in w.emf png.png "inv.png --invert-z"; do
  check "$out" '"$cli" render "$work/series.raw" --size 800x600 -o "$work/"$out'
done
HOME="$work/home" timeout 180 soffice --headless --norestore --convert-to png --outdir "$work/lo" "$work/w.emf" >/dev/null 2>&1
mv "$work/lo/w.png" "$work/lo.png" 2>/dev/null
check "LibreOffice converts the metafile" '[ -s "$work/lo.png" ]'
[ -s "$work/lo.png" ] || exit 1

rmse() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p'; }
for name in lo png inv; do
  convert "$work/$name.png" -background white -alpha remove -fuzz 2% -trim +repage "$work/$name-t.png"
  convert "$work/$name-t.png" -resize '160x112!' -blur 0x1.5 "$work/$name-s.png"
done
a_lo=$(identify -format '%[fx:w/h]' "$work/lo-t.png") a_png=$(identify -format '%[fx:w/h]' "$work/png-t.png")
echo "aspect of the drawn area: LibreOffice $a_lo, render $a_png"
check "same proportions" 'awk -v a="$a_lo" -v b="$a_png" "BEGIN { d = a / b - 1; exit !(d < 0.02 && d > -0.02) }"'
same=$(rmse "$work/lo-s.png" "$work/png-s.png") other=$(rmse "$work/inv-s.png" "$work/png-s.png")
echo "difference to the render: LibreOffice $same, inverted depth order $other"
check "same layout" 'awk -v a="$same" "BEGIN { exit !(a < 0.03) }"'
check "the comparison tells pictures apart" 'awk -v b="$other" "BEGIN { exit !(b > 0.03) }"'
exit $failed
