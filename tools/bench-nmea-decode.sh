#!/usr/bin/env bash
# Times hikewise-tool nmea-decode, whole state and --changes, on the peer NMEA
# logs concatenated to about 60 MB, and gpsdecode (Debian's gpsd-clients) on
# the same file when it is installed. Prints MB/s for each.
#   tools/bench-nmea-decode.sh [BUILD_DIR]
set -euo pipefail
. "$(dirname "$0")/bench-common.sh"
BIN=${1:-build}/bin
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
log=$WORK/60mb.nmea
bench_nmea_log "$log"
mb=$(awk -v b="$(stat -c %s "$log")" 'BEGIN { printf "%.1f", b / 1e6 }')
echo "input: $mb MB, $(grep -c '^\$' "$log") sentences; load $(cut -d' ' -f1-3 /proc/loadavg)"
# Best of three runs into /dev/null (the disk's write-back is not the
# decoder's time): wall time and processor time.
run() { # name command...
  local name=$1; shift
  bench_best "$log" "$@"
  awk -v n="$name" -v w="$best_wall" -v c="$best_cpu" -v mb="$mb" -v out="$("$@" < "$log" | wc -c)" \
    'BEGIN { printf "%-28s wall %6.2f s %7.1f MB/s   cpu %6.2f s %7.1f MB/s   output %.0f MB\n", n, w, mb / w, c, mb / c, out / 1e6 }'
}
run "nmea-decode (whole state)" "$BIN/hikewise-tool" nmea-decode -
run "nmea-decode --changes" "$BIN/hikewise-tool" nmea-decode --changes -
changes_wall=$best_wall changes_cpu=$best_cpu
if command -v gpsdecode > /dev/null; then
  run "gpsdecode" gpsdecode
  awk -v cw="$changes_wall" -v cc="$changes_cpu" -v gw="$best_wall" -v gc="$best_cpu" \
    'BEGIN { printf "--changes against gpsdecode: %.1fx (wall), %.1fx (cpu)\n", gw / cw, gc / cc }'
else
  echo "gpsdecode: not installed (apt-get install gpsd-clients)"
fi
