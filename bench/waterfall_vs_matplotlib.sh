#!/usr/bin/env bash
# The whole process, side by side in one run: morvane-cli render of a 200-scan x 5000-point heating
# series to a 1920 x 1080 PNG against the matplotlib peer drawing the same waterfall
# (../shared/bench/peer_waterfall.py), then 500 x 16384 points with morvane-cli alone.
#
#   bash bench/waterfall_vs_matplotlib.sh build/release/morvane/cli/morvane-cli build/release/tools/make-demo-files [RUNS]
#
# Each program runs RUNS times (default 5) after one warm-up; the median is reported, both as elapsed
# time and as processor time (user + system), which is what counts on a machine shared with other work.
set -eu
cli=$(realpath "$1") demo=$(realpath "$2") runs=${3:-5}
peer=$(dirname "$0")/../../shared/bench/peer_waterfall.py
[ -f "$peer" ] || peer=/work/shared/bench/peer_waterfall.py
python=/usr/bin/python3  # the system's, which has matplotlib
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/s200" "$work/s500"
"$demo" "$work/s200" --series 200 --series-points 5000 --only-series >/dev/null
"$demo" "$work/s500" --series 500 --series-points 16384 --only-series >/dev/null

# Median elapsed and processor seconds of RUNS runs of a command.
measure() {
  "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  for _ in $(seq "$runs"); do
    /usr/bin/time -f "%e %U %S" -o "$work/t" "$@" >/dev/null 2>&1
    awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }' "$work/t"
  done | sort -n -k2 | awk '{ e[NR] = $1; c[NR] = $2 } END { m = int((NR + 1) / 2); printf "%s %s\n", e[m], c[m] }'
}

read -r cli_e cli_c < <(measure "$cli" render "$work/s200/series.raw" --size 1920x1080 -o "$work/m200.png")
have_peer=1
"$python" -c "import matplotlib, numpy" 2>/dev/null || have_peer=0
if [ $have_peer = 1 ]; then
  read -r peer_e peer_c < <(measure "$python" "$peer" "$work/s200/series.raw" "$work/peer.png" 1920 1080)
fi
read -r big_e big_c < <(measure "$cli" render "$work/s500/series.raw" --size 1920x1080 -o "$work/m500.png")

printf '%-44s %10s %12s\n' "1920 x 1080 PNG, median of $runs" "elapsed s" "processor s"
printf '%-44s %10s %12s\n' "morvane-cli render, 200 x 5000" "$cli_e" "$cli_c"
[ $have_peer = 1 ] && printf '%-44s %10s %12s\n' "matplotlib peer, 200 x 5000" "$peer_e" "$peer_c"
printf '%-44s %10s %12s\n' "morvane-cli render, 500 x 16384" "$big_e" "$big_c"
if [ $have_peer = 1 ]; then
  awk -v a="$cli_e" -v b="$peer_e" -v c="$cli_c" -v d="$peer_c" \
    'BEGIN { printf "morvane-cli takes 1/%.1f of matplotlib'"'"'s elapsed time, 1/%.1f of its processor time (target: 1/20 or less)\n", b / a, d / c }'
else
  echo "matplotlib (python3-matplotlib) missing: no comparison"
fi
awk -v a="$big_e" -v b="$cli_e" -v c="$big_c" -v d="$cli_c" \
  'BEGIN { printf "500 x 16384 takes %.1f times the elapsed, %.1f times the processor time of 200 x 5000 (target: under 4)\n", a / b, c / d }'
