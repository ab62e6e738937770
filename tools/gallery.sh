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
echo "gallery in $out"
