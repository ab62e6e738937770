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
run() { # name command...
  local name=$1; shift
  local start end
  start=$(date +%s.%N)
  "$@" < "$log" > "$WORK/out"
  end=$(date +%s.%N)
  awk -v n="$name" -v s="$start" -v e="$end" -v mb="$mb" -v out="$(stat -c %s "$WORK/out")" \
    'BEGIN { printf "%-28s %6.2f s  %7.1f MB/s  output %.0f MB\n", n, e - s, mb / (e - s), out / 1e6 }'
}
run "nmea-decode (whole state)" "$BIN/hikewise-tool" nmea-decode -
run "nmea-decode --changes" "$BIN/hikewise-tool" nmea-decode --changes -
if command -v gpsdecode > /dev/null; then
  run "gpsdecode" gpsdecode
else
  echo "gpsdecode: not installed (apt-get install gpsd-clients)"
fi
