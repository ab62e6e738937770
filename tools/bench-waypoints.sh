#!/usr/bin/env bash
# Waypoint figures at 100,000 and 10,000 caches (or the counts given), each
# from a generated pocket query of some 7 KB a cache:
#  - its import against Expat's own xmlwf pass over the same file, in the
#    same run, and the memory the parse needs beyond the database it fills;
#  - `hikewise-tool wpt-import` of it into a new database (load, import,
#    save): time and peak memory;
#  - the waypoint manager over that database: open, one filter keystroke,
#    one sort of each column;
#  - the map page with every cache in view (--frame-times), at 800x480 and
#    1920x1080.
# The generated files live in a temporary folder, deleted on exit (700 MB
# and 800 MB at 100,000 caches).
#   tools/bench-waypoints.sh [BUILD_DIR] [CACHES...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
[ $# -gt 0 ] && shift
counts=("$@")
[ ${#counts[@]} -eq 0 ] && counts=(100000 10000)
bin=$build/bin
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=$(mktemp -d "${TMPDIR:-/tmp}/hikewise-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
command -v xmlwf >/dev/null || { echo "xmlwf is missing (Debian package expat)" >&2; exit 1; }

# The generated caches lie between 47 and 48 degrees north, 8 and 9 east:
# a still fix at their middle, and the map at 150 km, where all are in view.
"$bin/hikewise-nmea-sim" --start 47.5,8.5,500 --radius 50 --duration 120 --output "$work/still.nmea"
settings() {
  printf '[%%U5730%%U56FE]\n%%U5F53%%U524D%%U4F4D%%U7F6E%%U7EAC%%U5EA6=47500000\n%%U5F53%%U524D%%U4F4D%%U7F6E%%U7ECF%%U5EA6=8500000\n' > "$work/run.conf"
}

echo "load: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
for n in "${counts[@]}"; do
  echo "== $n caches"
  "$bin/bench_import_stream" --write "$work/pq.gpx" "$n"
  "$bin/bench_import_stream" "$work/pq.gpx" 3
  rm -f "$work/db.wpt"
  /usr/bin/time -f "hikewise-tool wpt-import (load, import, save): %e s wall, %U s user, %S s system, peak %M KB" \
    "$bin/hikewise-tool" wpt-import "$work/db.wpt" "$work/pq.gpx" > /dev/null
  rm -f "$work/pq.gpx"
  echo "database file: $(( $(stat -c %s "$work/db.wpt") / 1000000 )) MB"
  "$bin/bench_waypoint_manager" 5 "$work/db.wpt" 47.5 8.5 2>/dev/null
  for size in 800x480 1920x1080; do
    settings
    printf '%-40s ' "map, all $n caches in view, $size"
    "$bin/hikewise" --settings "$work/run.conf" --replay "$work/still.nmea" --database "$work/db.wpt" \
      --track "$work/none.trk" --page 3 --zoom 16 --north-up --size "$size" --after 2 --frame-times 100 2>/dev/null
  done
  rm -f "$work/db.wpt"
done
