#!/usr/bin/env bash
# The README's three pictures, taken by the program from its bundled demo on
# a home of its own (so that nothing of the user's shows): the map page with
# the relief, the followed course and the altitude profile; the GPS page with
# the sky plot; the trip page. Reduced to 256 colours (rgb2pct.py of GDAL),
# each at most 150 KB.
#   tools/readme-shots.sh [OUTDIR]   (default docs/images)
set -euo pipefail
. "$(dirname "$0")/screenshot-common.sh"
out=${1:-$here/docs/images}
mkdir -p "$out"
export HOME=$tmp/home
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_DOCUMENTS_DIR
mkdir -p "$HOME"
# Section "地图", "查看海拔曲线" = 1 and "North Up" = 1: the profile shown,
# the map north up; section "路线", "Off Course Distance" = 500: the walk's
# excursion leaves no message over the pages.
printf '[%%U5730%%U56FE]\n%%U67E5%%U770B%%U6D77%%U62D4%%U66F2%%U7EBF=1\nNorth%%20Up=1\n' \
  > "$tmp/shots.conf"
printf '[%%U8DEF%%U7EBF]\nOff%%20Course%%20Distance=500\n' >> "$tmp/shots.conf"
# Name, page and the GPS page's view (2: the sky plot), 21 minutes into the
# walk (about 480 bytes of the log a second), after the view over the harbour.
for shot in map:3:0 gps:0:2 trip:2:0; do
  IFS=: read -r name page view <<< "$shot"
  cp "$tmp/shots.conf" "$tmp/run.conf"
  "$bin/hikewise" --settings "$tmp/run.conf" --page "$page" --view "$view" --zoom 6 --size 800x480 \
    --replay-speed 40 --after 10 --screenshot "$tmp/$name.png" > "$tmp/run.log" 2>&1 ||
    { echo "hikewise: $(cat "$tmp/run.log")" >&2; exit 1; }
  rgb2pct.py -n 256 -of PNG "$tmp/$name.png" "$tmp/$name-256.png" > /dev/null
  size=$(stat -c %s "$tmp/$name-256.png")
  [ "$size" -le 153600 ] || { echo "$name.png: $size bytes, over 150 KB" >&2; exit 1; }
  cp "$tmp/$name-256.png" "$out/demo-$name.png"
  echo "$out/demo-$name.png: $size bytes"
done
