#!/usr/bin/env bash
# Paint times of the instrument pages at 800x480 (hikewise --frame-times 100):
# the GPS, gauge, trip and analysis pages after a stretch of the demo walk,
# and the analysis page again with all its charts full (20,000 samples in
# each of the four areas), from a long simulated walk replayed fast.
#   tools/bench-pages.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$here/build}/bin
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
demo=$here/resources/demo/demo.nmea

# All four gauges at once (the heaviest gauge page), and the 2x2 analysis
# layout, sampling the altitude on every fix.
cat > "$work/bench.conf" <<'CONF'
[%U9762%U677F]
%U542F%U7528%U9AD8%U5EA6%U8868=1
%U542F%U7528%U901F%U5EA6%U8868=1
%U542F%U7528%U5782%U76F4%U901F%U5EA6=1
%U5FAA%U73AF%U6D4B%U91CF%U4EEA=0
[%U5206%U6790]
%U5C4F%U5E55%U914D%U7F6E=4
%U6D77%U62D4%U91C7%U6837%U6A21%U5F0F=0
CONF

frames() { # LABEL ARGS...
  local label=$1
  shift
  printf '%-34s ' "$label"
  "$bin/hikewise" --settings "$work/bench.conf" --size 800x480 --frame-times 100 "$@" 2>/dev/null
}
for page in 0 1 2 4; do
  frames "page $page, demo walk" --replay "$demo" --replay-speed 10 --after 3 --page "$page"
done

# 21,000 fixes (nearly six hours of walking), replayed at 150 x 128 bytes a
# tick, some 47 fixes a tick: within the parser's fix history, so that every
# fix reaches the charts, and every chart holds its 20,000 samples when the
# frames are timed.
"$bin/hikewise-nmea-sim" --route loop --duration 21000 --seed 3 --output "$work/long.nmea"
frames "page 4, charts full (20,000 each)" --replay "$work/long.nmea" --replay-speed 150 \
  --after 60 --page 4

# The map page with a 15,000-point track and 10,000 waypoints, the whole
# track in view (the walk scene of bench_map_paint), at 800x480 and
# 1920x1080, over a fix at the scene's middle (section "地图", the position).
"$bin/bench_map_paint" --scene-files "$work" > /dev/null 2>&1
"$bin/hikewise-nmea-sim" --start 46.55,7.98,500 --radius 50 --duration 120 --output "$work/still.nmea"
printf '[%%U5730%%U56FE]\n%%U5F53%%U524D%%U4F4D%%U7F6E%%U7EAC%%U5EA6=46550000\n%%U5F53%%U524D%%U4F4D%%U7F6E%%U7ECF%%U5EA6=7980000\n' >> "$work/bench.conf"
for size in 800x480 1920x1080; do
  cp "$work/bench.trk" "$work/run.trk"
  printf '%-34s ' "page 3, 15,000 points, 10,000 wpts"
  "$bin/hikewise" --settings "$work/bench.conf" --replay "$work/still.nmea" --database "$work/bench.wpt" \
    --track "$work/run.trk" --page 3 --zoom 10 --north-up --size "$size" --after 2 --frame-times 100 2>/dev/null
done
