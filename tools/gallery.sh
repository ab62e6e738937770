#!/usr/bin/env bash
# Renders every page and dialog of the main window in each of the five colour
# themes at 480x640 and 800x480, with a replay running, into a folder of PNGs.
#   tools/gallery.sh [OUTDIR] [NMEA-LOG]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${HIKEWISE_BIN_DIR:-$here/build/bin}
out=${1:-$here/build/gallery}
log=${2:-$here/resources/demo/demo.nmea}
[ -f "$log" ] || log=$here/tests/gui/data/short.nmea
mkdir -p "$out"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

dialogs=(disclaimer setup misc units import progress about sirf ports search)
for theme in 0 1 2 3 4; do
  # Section "主题颜色", value "主题", as QSettings writes them.
  conf=$tmp/theme$theme.conf
  printf '[%%U4E3B%%U9898%%U989C%%U8272]\n%%U4E3B%%U9898=%s\n' "$theme" > "$conf"
  for size in 480x640 800x480; do
    for page in 0 1 2 3 4; do
      "$bin/hikewise" --settings "$conf" --replay "$log" --size "$size" --page "$page" \
        --after 3 --screenshot "$out/page$page-theme$theme-$size.png" 2>/dev/null
    done
    for view in 1 2; do
      "$bin/hikewise" --settings "$conf" --replay "$log" --size "$size" --page 0 \
        --view "$view" --after 3 --screenshot "$out/page0-view$view-theme$theme-$size.png" \
        2>/dev/null
    done
  done
done
for dialog in "${dialogs[@]}"; do
  printf '[%%U4E3B%%U9898%%U989C%%U8272]\n%%U4E3B%%U9898=3\n' > "$tmp/dialog.conf"
  "$bin/hikewise" --settings "$tmp/dialog.conf" --replay "$log" --dialog "$dialog" \
    --after 1 --screenshot "$out/dialog-$dialog.png" 2>/dev/null
done
# The map page: north up and course up, with a goto, with the altitude
# profile, with large symbols, and its dialogs; over a small database.
db=$tmp/map.wpt
cat > "$tmp/map.gpx" <<'GPX'
<?xml version="1.0" encoding="UTF-8"?>
<gpx version="1.0" creator="gallery" xmlns="http://www.topografix.com/GPX/1/0">
<wpt lat="22.233575" lon="114.241823"><name>Pavilion</name><sym>Scenic View</sym></wpt>
<wpt lat="22.2352" lon="114.2408"><name>Spring</name><sym>饮用水</sym></wpt>
<wpt lat="22.2305" lon="114.2435"><name>Summit</name><sym>山顶</sym></wpt>
<wpt lat="22.2365" lon="114.2392"><name>Cache</name><sym>Geocache</sym></wpt>
</gpx>
GPX
"$bin/hikewise-tool" wpt-import "$db" "$tmp/map.gpx" > /dev/null
map_shot() { # NAME CONF-LINES ARGS...
  local name=$1 conf=$tmp/$1.conf
  printf '%b' "$2" > "$conf"
  shift 2
  rm -f "$tmp/map.trk"
  "$bin/hikewise" --settings "$conf" --replay "$log" --page 3 --database "$db" \
    --track "$tmp/map.trk" --replay-speed 4 --zoom 6 --after 6 "$@" \
    --screenshot "$out/map-$name.png" 2>/dev/null
}
for size in 480x640 800x480; do
  map_shot "north-up-$size" '' --north-up --size "$size"
  map_shot "course-up-$size" '' --course-up --size "$size"
  map_shot "goto-$size" '' --north-up --goto Pavilion --size "$size"
  # Section "地图", "查看海拔曲线" = 1: the altitude profile shown.
  map_shot "profile-$size" '[%U5730%U56FE]\n%U67E5%U770B%U6D77%U62D4%U66F2%U7EBF=1\n' \
    --north-up --size "$size"
  # "使用大号路点" = 1 and "使用大号位置图标" = 1.
  map_shot "large-$size" '[%U5730%U56FE]\n%U4F7F%U7528%U5927%U53F7%U8DEF%U70B9=1\n%U4F7F%U7528%U5927%U53F7%U4F4D%U7F6E%U56FE%U6807=1\n' \
    --north-up --size "$size"
done
for dialog in map-properties plan-waypoint waypoint-list; do
  map_shot "dialog-$dialog" '' --dialog "$dialog"
done
echo "gallery in $out"
