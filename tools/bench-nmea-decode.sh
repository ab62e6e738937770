#!/usr/bin/env bash
# Times hikewise-tool nmea-decode, whole state and --changes, on the peer NMEA
# logs concatenated to about 60 MB, and gpsdecode (Debian's gpsd-clients) on
# the same file when it is installed. Prints MB/s for each.
#   tools/bench-nmea-decode.sh [BUILD_DIR]
set -euo pipefail
BIN=${1:-build}/bin
PEER=${HIKEWISE_PEER_DATA_DIR:-$(dirname "$0")/../../shared/peer-data}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
log=$WORK/60mb.nmea
while [ "$(stat -c %s "$log" 2>/dev/null || echo 0)" -lt 60000000 ]; do
  cat "$PEER"/nmea/*.log | grep -v '^#' >> "$log"
done
mb=$(awk -v b="$(stat -c %s "$log")" 'BEGIN { printf "%.1f", b / 1e6 }')
echo "input: $mb MB, $(grep -c '^\$' "$log") sentences"
# Best of three runs: wall time and processor time (user + system), the
# latter being the fairer figure on a machine that is busy with other work.
run() { # name command...
  local name=$1; shift
  local best_wall=999999 best_cpu=999999 times wall cpu
  for _ in 1 2 3; do
    # Into /dev/null: the disk's write-back is not the decoder's time.
    times=$( { TIMEFORMAT='%R %U %S'; time "$@" < "$log" > /dev/null; } 2>&1 )
    wall=$(awk '{ print $1 }' <<<"$times")
    cpu=$(awk '{ print $2 + $3 }' <<<"$times")
    best_wall=$(awk -v a="$best_wall" -v b="$wall" 'BEGIN { print (b < a ? b : a) }')
    best_cpu=$(awk -v a="$best_cpu" -v b="$cpu" 'BEGIN { print (b < a ? b : a) }')
  done
  last_wall=$best_wall last_cpu=$best_cpu
  awk -v n="$name" -v w="$best_wall" -v c="$best_cpu" -v mb="$mb" -v out="$("$@" < "$log" | wc -c)" \
    'BEGIN { printf "%-28s wall %6.2f s %7.1f MB/s   cpu %6.2f s %7.1f MB/s   output %.0f MB\n", n, w, mb / w, c, mb / c, out / 1e6 }'
}
run "nmea-decode (whole state)" "$BIN/hikewise-tool" nmea-decode -
run "nmea-decode --changes" "$BIN/hikewise-tool" nmea-decode --changes -
changes_wall=$last_wall changes_cpu=$last_cpu
if command -v gpsdecode > /dev/null; then
  run "gpsdecode" gpsdecode
  awk -v cw="$changes_wall" -v cc="$changes_cpu" -v gw="$last_wall" -v gc="$last_cpu" \
    'BEGIN { printf "--changes against gpsdecode: %.1fx (wall), %.1fx (cpu)\n", gw / cw, gc / cc }'
else
  echo "gpsdecode: not installed (apt-get install gpsd-clients)"
fi
