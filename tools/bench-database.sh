#!/usr/bin/env bash
# A large waypoint database, as geocachers who keep their region offline hold
# one: for each size, a database made once from a generated pocket query,
# then
#   - start-up: Hikewise to its first screenshot of the map page, with the
#     database and without one (best of three), and its peak memory;
#   - hikewise-tool wpt-import DB small.loc: load, add nine waypoints, save;
#   - "mark here": the longest UI stall until the file is on disk.
# Targets with 100,000 caches: start-up adds at most 1 s and stays under
# 300 MB, wpt-import at most 4 s, the stall at most 50 ms.
#   tools/bench-database.sh [BUILD_DIR [CACHES...]]   (default 10000 100000)
# The databases stay in $HIKEWISE_BENCH_DIR when it is set (they take a
# while to make: some 870 MB for 100,000 caches).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(10000 100000)
bin=$build/bin
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=${HIKEWISE_BENCH_DIR:-}
if [ -z "$work" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work"

# Nine waypoints in a LOC file.
{
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  echo '<loc version="1.0" src="Hikewise benchmark">'
  for i in 1 2 3 4 5 6 7 8 9; do
    echo "<waypoint><name id=\"BENCH$i\"><![CDATA[Bench point $i]]></name>"
    echo "<coord lat=\"47.$i\" lon=\"8.$i\"/><type>Geocache</type></waypoint>"
  done
  echo '</loc>'
} > "$work/small.loc"

# Seconds and peak kilobytes of one run of the program to its screenshot.
start_up() { # DATABASE
  local best="" line
  for _ in 1 2 3; do
    rm -f "$work/start.trk"
    /usr/bin/time -o "$work/time.txt" -f '%e %M %U %S' "$bin/hikewise" --settings "$work/start.conf" \
      --database "$1" --track "$work/start.trk" --page 3 --size 800x480 \
      --screenshot "$work/start.png" >/dev/null 2>&1
    line=$(tail -1 "$work/time.txt")
    if [ -z "$best" ] || awk -v a="${line%% *}" -v b="${best%% *}" 'BEGIN{exit !(a<b)}'; then
      best=$line
    fi
  done
  echo "$best"
}

# LABEL "WALL KB USER SYS" ["WALL KB USER SYS" of the run without]: the
# time on the clock and on the processor (which a busy machine does not
# stretch), and the peak memory.
show() {
  awk -v label="$1" -v run="$2" -v base="${3:-}" 'BEGIN {
    split(run, r, " "); line = sprintf("%-34s %6.2f s, cpu %5.2f s", label, r[1], r[3] + r[4])
    if (base != "") { split(base, b, " "); line = line sprintf(" (+%.2f s, cpu +%.2f s)",
      r[1] - b[1], r[3] + r[4] - b[3] - b[4]) }
    printf "%s, %d MB\n", line, r[2] / 1024 }'
}

empty=$(start_up "$work/none.wpt")
show "start-up without a database" "$empty"
for n in "${sizes[@]}"; do
  echo "== $n caches"
  "$bin/bench_mark_here" "$n" "$work" 10 2>/dev/null
  db=$work/caches-$n.wpt
  show "start-up with the database" "$(start_up "$db")" "$empty"
  cp "$db" "$work/import.wpt"
  /usr/bin/time -o "$work/time.txt" -f '%e %M %U %S' "$bin/hikewise-tool" wpt-import \
    "$work/import.wpt" "$work/small.loc" >/dev/null
  show "wpt-import DB small.loc" "$(tail -1 "$work/time.txt")"
  rm -f "$work/import.wpt"
done
uptime
