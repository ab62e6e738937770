#!/usr/bin/env bash
# The first run's demo on a home with no settings: after a minute of the walk
# the map page shows the demo map's sea and woods, the terrain's contour
# lines, the followed course and the walked track; with map and terrain files
# of the user's own (missing ones here) the demo's are not drawn. The user's
# database, track file and last position stay as they were.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
require_tools python3
fail() { echo "FAIL: $*" >&2; exit 1; }
bin=$HIKEWISE_BIN_DIR
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_DOCUMENTS_DIR

# The user's own waypoint and walk, at the default places, in Hong Kong.
printf '<gpx version="1.0" xmlns="http://www.topografix.com/GPX/1/0"><wpt lat="22.2336" lon="114.2418"><name>Pavilion</name></wpt></gpx>\n' \
  > "$work/own.gpx"
"$bin/hikewise-nmea-sim" --duration 30 --output "$work/own.nmea"
"$bin/hikewise-tool" wpt-import "$work/own.wpt" "$work/own.gpx" > /dev/null
"$bin/hikewise-tool" nmea-track "$work/own.nmea" "$work/own.trk" > /dev/null

# Case | options | the least pixels of sea, woods, contours, course, track
# in the map's part of the window (a 0 asks for none at all).
cases=(
  "demo||5000 500 2000 500 20"
  "own files|--roads $work/none.map --terrain $work/none.dem|0 0 0 500 20"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name options least <<< "$row"
  export HOME=$work/home-${name// /-}
  docs=$HOME/Documents/Hikewise
  mkdir -p "$docs"
  cp "$work/own.wpt" "$docs/HWWaypoint.wpt"
  cp "$work/own.trk" "$docs/track.trk"
  # A minute of the walk (about 480 bytes a second) in four seconds.
  # shellcheck disable=SC2086 # the options are words
  timeout 120 "$bin/hikewise" --page 3 --size 1000x800 --zoom 8 --replay-speed 6 --after 4 \
    $options --screenshot "$work/map.png" > "$work/run.log" 2>&1 ||
    fail "$name: hikewise: $(cat "$work/run.log")"
  read -r -a want <<< "$least"
  i=0
  while read -r class count; do
    { [ "$count" -ge "${want[$i]}" ] && { [ "${want[$i]}" -gt 0 ] || [ "$count" -le 20 ]; }; } ||
      fail "$name: $count pixels of $class, expected ${want[$i]} (0: none)"
    echo "$name: $class $count"
    i=$((i + 1))
  done < <(python3 "$(dirname "$0")/lib/pixel_classes.py" "$work/map.png" --box 0,30,740,745 \
    sea=160,204,236 woods=166,206,150 contour=176,128,80 course=31,111,224 track=128,0,224)
  [ "$i" -eq 5 ] || fail "$name: the picture was not classified"
  cmp "$work/own.wpt" "$docs/HWWaypoint.wpt" || fail "$name: the user's database changed"
  cmp "$work/own.trk" "$docs/track.trk" || fail "$name: the user's track file changed"
  # "当前位置纬度" as QSettings writes it: the demo's place is not stored.
  ! grep -qs '%U5F53%U524D%U4F4D%U7F6E' "$HOME/.config/KORV/Hikewise.conf" ||
    fail "$name: the demo's position was stored"
done
echo "the demo's map, terrain, course and walk are drawn; the user's files are untouched"
