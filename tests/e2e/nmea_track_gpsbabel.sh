#!/usr/bin/env bash
# Every recorded NMEA log of the peer data becomes a track (filtered as the
# map records it, and unfiltered), is exported as GPX, and GPSBabel must read
# back the same points, segments and positions that trk-list shows.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
require_peer_data nmea
require_tools gpsbabel xmllint

tool="$HIKEWISE_BIN_DIR/hikewise-tool"
logs="$HIKEWISE_PEER_DATA_DIR/nmea"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
checked=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Records the log as a track (with the given nmea-track options), exports it
# as GPX and compares what GPSBabel reads with trk-list. Leaves $work/list.jsonl
# and $work/babel.csv behind for further checks.
check_track() {
  local label=$1 log=$2 trk=$3
  shift 3
  local gpx="${trk%.trk}.gpx"
  "$tool" nmea-track "$log" "$trk" "$@" >"$work/summary.json"
  "$tool" trk-list "$trk" >"$work/list.jsonl"
  "$tool" trk-export gpx "$trk" "$gpx" >/dev/null
  xmllint --noout "$gpx" || fail "$label: GPX is not well-formed"

  points=$(wc -l <"$work/list.jsonl")
  segments=$(grep -c '"segment":1' "$work/list.jsonl" || true)
  gpsbabel -t -i gpx -f "$gpx" -o unicsv -F "$work/babel.csv"
  gpsbabel -t -i gpx -f "$gpx" -o gpx -F "$work/babel.gpx"
  local babel_points=$(($(wc -l <"$work/babel.csv") - 1))
  [ "$babel_points" -lt 0 ] && babel_points=0
  local babel_segments
  babel_segments=$(grep -c '<trkseg>' "$work/babel.gpx" || true)
  [ "$points" = "$babel_points" ] || fail "$label: $points points, GPSBabel read $babel_points"
  [ "$segments" = "$babel_segments" ] ||
    fail "$label: $segments segments, GPSBabel read $babel_segments"

  # Positions within 1e-6 degrees and altitudes within GPSBabel's 0.1 m,
  # point by point.
  if [ "$points" -gt 0 ]; then
    awk -F'[:,}]' '{ printf "%d %d %s\n", $2, $4, $6 }' "$work/list.jsonl" >"$work/ours.txt"
    tail -n +2 "$work/babel.csv" | awk -F',' '{ print $2, $3, $4 }' >"$work/theirs.txt"
    paste -d' ' "$work/ours.txt" "$work/theirs.txt" | awk -v name="$label" '
      function abs(x) { return x < 0 ? -x : x }
      {
        if (abs($1 * 1e-6 - $4) > 1.0000001e-6 || abs($2 * 1e-6 - $5) > 1.0000001e-6 ||
            abs($3 - $6) > 0.051) {
          printf "FAIL: %s point %d: %s %s %s vs %s %s %s\n", name, NR, $1, $2, $3, $4, $5, $6 > "/dev/stderr"
          bad = 1
        }
      }
      END { exit bad }' || failures=$((failures + 1))
  fi
  checked=$((checked + 1))
  echo "$label: $points points, $segments segments"
}

# The receiver's own fixes: the position of every GPGGA with a fix, in
# millionths of a degree, read here from the log itself.
receiver_fixes() {
  tr -d '\r' <"$1" | awk -F',' '
    function degrees(v, h, width) {
      d = int(substr(v, 1, width)) + substr(v, width + 1) / 60
      return (h == "S" || h == "W") ? -d : d
    }
    /^\$GPGGA,/ && $7 > 0 && $3 != "" && $5 != "" {
      printf "%.0f %.0f\n", degrees($3, $4, 2) * 1e6, degrees($5, $6, 3) * 1e6
    }'
}

for log in "$logs"/*.log; do
  name=$(basename "$log" .log)
  check_track "$name (filtered)" "$log" "$work/$name.filtered.trk"
  check_track "$name (unfiltered)" "$log" "$work/$name.unfiltered.trk" --no-filter
  # Unfiltered, every point is one of the receiver's fixes, and a log with
  # fixes yields points.
  receiver_fixes "$log" >"$work/fixes.txt"
  fixes=$(wc -l <"$work/fixes.txt")
  if [ "$fixes" -gt 0 ] && [ "$points" -eq 0 ]; then
    fail "$name: the receiver reported $fixes fixes, the track has no point"
  fi
  awk -F'[:,}]' '{ print $2, $4 }' "$work/list.jsonl" | awk -v name="$name" '
    function abs(x) { return x < 0 ? -x : x }
    NR == FNR { lat[NR] = $1; lon[NR] = $2; n = NR; next }
    {
      found = 0
      for (i = 1; i <= n && !found; ++i)
        found = abs(lat[i] - $1) <= 1 && abs(lon[i] - $2) <= 1
      if (!found) { printf "FAIL: %s point %d (%s %s) is no fix of the receiver\n", name, FNR, $1, $2 > "/dev/stderr"; bad = 1 }
    }
    END { exit bad }' "$work/fixes.txt" - || failures=$((failures + 1))
done

# A walk of 15600 fixes across midnight with a gap without a fix fills the
# ring: the oldest points are dropped and GPSBabel reads the 15000 kept, with
# the times our CSV export gives.
sim="$HIKEWISE_BIN_DIR/hikewise-nmea-sim"
"$sim" --route line --length 30000 --duration 15600 --start-time 2026-05-16T20:00:00 \
  --no-fix 9000+30 --output "$work/walk.log"
check_track "simulated walk" "$work/walk.log" "$work/walk.trk" --no-filter
[ "$points" = 15000 ] || fail "simulated walk: $points points, not a full ring of 15000"
[ "$segments" = 2 ] || fail "simulated walk: $segments segments, expected 2"
"$tool" trk-export csv "$work/walk.trk" "$work/walk.csv" >/dev/null
tail -n +2 "$work/walk.csv" | awk -F',' '{ print $5 }' >"$work/ours.txt"
tail -n +2 "$work/babel.csv" | tr -d '\r' | awk -F',' '{ print $6 " " $7 }' >"$work/theirs.txt"
cmp -s "$work/ours.txt" "$work/theirs.txt" || fail "simulated walk: times differ from GPSBabel's"
grep -q '2026/05/17 00:00:0' "$work/ours.txt" || fail "simulated walk: the date does not turn"
check_track "simulated walk (filtered)" "$work/walk.log" "$work/walk.filtered.trk"

# A receiver without GPRMC (a GGA-only log, then its date from its 60th
# second on): every fix is recorded, with no time until the date arrives and the
# receiver's times after it; the exports leave out the unknown times and
# GPSBabel reads the same points and times.
"$sim" --route line --length 600 --duration 240 --start-time 2026-05-16T23:58:00 \
  --output "$work/dateless.full.log"
awk '/RMC/ && !dated { if (++rmc < 60) next; dated = 1 } { print }' "$work/dateless.full.log" \
  >"$work/dateless.log"
check_track "GGA only, then the date" "$work/dateless.log" "$work/dateless.trk" --no-filter
[ "$points" = 240 ] || fail "GGA only: $points points of 240 fixes"
awk -F'[:,}]' '{ print $10 }' "$work/list.jsonl" >"$work/times.txt"
unknown=$(grep -c '^0$' "$work/times.txt" || true)
[ "$unknown" = 60 ] || fail "GGA only: $unknown points without a time, expected the 60 before the date"
"$tool" trk-export csv "$work/dateless.trk" "$work/dateless.csv" >/dev/null
tail -n +2 "$work/dateless.csv" | awk -F',' '{ print $5 }' >"$work/ours.txt"
tail -n +2 "$work/babel.csv" | tr -d '\r' | awk -F',' '{ print $6 " " $7 }' | sed 's/^ $//' \
  >"$work/theirs.txt"
cmp -s "$work/ours.txt" "$work/theirs.txt" || fail "GGA only: times differ from GPSBabel's"
[ "$(grep -c '^$' "$work/ours.txt")" = 60 ] || fail "GGA only: the CSV gives unknown times a date"
grep -c '<time>' "$work/dateless.gpx" | grep -qx 180 || fail "GGA only: GPX times of unknown points"
sed -n 61p "$work/ours.txt" | grep -q '^2026/05/16 23:59:00$' || fail "GGA only: first dated point"

# Track and export agree for the other formats too: KML is well-formed, CSV
# holds a header and a line per point.
trk="$work/walk.trk"
"$tool" trk-export kml "$trk" "$work/t.kml" >/dev/null
xmllint --noout "$work/t.kml" || fail "KML is not well-formed"
"$tool" trk-export csv "$trk" "$work/t.csv" >/dev/null
[ $(($(wc -l <"$work/t.csv") - 1)) = "$("$tool" trk-list "$trk" | wc -l)" ] || fail "CSV line count"
"$tool" trk-export txt "$trk" "$work/t.txt" 2>/dev/null && fail "unknown format accepted"
"$tool" trk-list "$work/missing.trk" 2>/dev/null && fail "missing track file accepted"

[ "$checked" -gt 0 ] || fail "no NMEA logs found in $logs"
[ "$failures" -eq 0 ] || exit 1
echo "all $checked tracks read back by GPSBabel"
