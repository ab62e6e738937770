#!/usr/bin/env bash
# Renders every page and dialog of the main window in each of the five colour
# themes at 480x640 and 800x480, with a replay running, into a folder of PNGs;
# then the same in English (one theme) into OUTDIR/en.
#   tools/gallery.sh [OUTDIR] [NMEA-LOG]
# HIKEWISE_GALLERY_LANGUAGE=en renders the English run alone;
# HIKEWISE_GALLERY_THEMES chooses the themes (default "0 1 2 3 4").
set -euo pipefail
. "$(dirname "$0")/screenshot-common.sh"
out=${1:-$here/build/gallery}
log=${2:-$here/resources/demo/demo.nmea}
[ -f "$log" ] || log=$here/tests/gui/data/short.nmea
mkdir -p "$out"
language=${HIKEWISE_GALLERY_LANGUAGE:-}
themes=${HIKEWISE_GALLERY_THEMES:-0 1 2 3 4}
lang=()
[ -n "$language" ] && lang=(--language "$language")
hikewise() { "$bin/hikewise" "${lang[@]}" "$@"; }

dialogs=(disclaimer setup misc units import progress about sirf ports search)
for theme in $themes; do
  # Section "主题颜色", value "主题", as QSettings writes them.
  conf=$tmp/theme$theme.conf
  printf '[%%U4E3B%%U9898%%U989C%%U8272]\n%%U4E3B%%U9898=%s\n' "$theme" > "$conf"
  for size in 480x640 800x480; do
    for page in 0 1 2 3 4; do
      # The instrument pages after about a minute and a half of walking, so
      # that the trip has a distance and the charts a history.
      walk=()
      case $page in 1 | 2 | 4) walk=(--replay-speed 10) ;; esac
      hikewise --settings "$conf" --replay "$log" --size "$size" --page "$page" \
        "${walk[@]}" --after 3 --screenshot "$out/page$page-theme$theme-$size.png" 2>/dev/null
    done
    # The gauge panel with all four dials at once, each dial alone, and the
    # analysis page with four charts.
    panel='[%U9762%U677F]\n%U542F%U7528%U9AD8%U5EA6%U8868=1\n%U542F%U7528%U901F%U5EA6%U8868=1\n%U542F%U7528%U5782%U76F4%U901F%U5EA6=1\n'
    shots=(
      "gauges-2x2|${panel}%U5FAA%U73AF%U6D4B%U91CF%U4EEA=0\n"
      "gauge-altimeter|[%U9762%U677F]\n%U542F%U7528%U9AD8%U5EA6%U8868=1\n%U542F%U7528%U7F57%U76D8=0\n"
      "gauge-speedometer|[%U9762%U677F]\n%U542F%U7528%U901F%U5EA6%U8868=1\n%U542F%U7528%U7F57%U76D8=0\n"
      "gauge-vertical|[%U9762%U677F]\n%U542F%U7528%U5782%U76F4%U901F%U5EA6=1\n%U542F%U7528%U7F57%U76D8=0\n%U542F%U7528%20Nav%20Wnd=0\n"
      "analysis-2x2|[%U5206%U6790]\n%U5C4F%U5E55%U914D%U7F6E=4\n"
    )
    for shot in "${shots[@]}"; do
      name=${shot%%|*}
      page=1
      [[ $name == analysis* ]] && page=4
      { cat "$conf"; printf '%b' "${shot#*|}"; } > "$tmp/shot.conf"
      hikewise --settings "$tmp/shot.conf" --replay "$log" --size "$size" --page "$page" \
        --replay-speed 10 --after 3 --screenshot "$out/$name-theme$theme-$size.png" 2>/dev/null
    done
    # The instrument pages' dialogs: "改变窗格", "速度设置" and "高度设置",
    # each over its page.
    for dialog in pane:2 speed:1 altitude:4; do
      hikewise --settings "$conf" --replay "$log" --size "$size" --page "${dialog#*:}" \
        --replay-speed 10 --after 3 --dialog "${dialog%%:*}" \
        --screenshot "$out/dialog-${dialog%%:*}-theme$theme-$size.png" 2>/dev/null
    done
    for view in 1 2; do
      hikewise --settings "$conf" --replay "$log" --size "$size" --page 0 \
        --view "$view" --after 3 --screenshot "$out/page0-view$view-theme$theme-$size.png" \
        2>/dev/null
    done
  done
done
for dialog in "${dialogs[@]}"; do
  printf '[%%U4E3B%%U9898%%U989C%%U8272]\n%%U4E3B%%U9898=3\n' > "$tmp/dialog.conf"
  hikewise --settings "$tmp/dialog.conf" --replay "$log" --dialog "$dialog" \
    --after 1 --screenshot "$out/dialog-$dialog.png" 2>/dev/null
  # The main menu's dialogs over a window of each size, where the longer
  # English texts must fit as well.
  if [ -n "$language" ]; then
    for size in 480x640 800x480; do
      hikewise --settings "$tmp/dialog.conf" --replay "$log" --dialog "$dialog" --size "$size" \
        --after 1 --screenshot "$out/dialog-$dialog-$size.png" 2>/dev/null
    done
  fi
done
# The map page: north up and course up, with a goto, with the altitude
# profile, with large symbols, and its dialogs; over a small database beside
# the demo walk.
db=$tmp/map.wpt
cat > "$tmp/map.gpx" <<'GPX'
<?xml version="1.0" encoding="UTF-8"?>
<gpx version="1.0" creator="gallery" xmlns="http://www.topografix.com/GPX/1/0">
<wpt lat="43.739930" lon="7.419650"><name>Pavilion</name><sym>Scenic View</sym></wpt>
<wpt lat="43.7372" lon="7.4230"><name>Spring</name><sym>饮用水</sym></wpt>
<wpt lat="43.7425" lon="7.4188"><name>Summit</name><sym>山顶</sym></wpt>
<wpt lat="43.7380" lon="7.4205"><name>Cache</name><sym>Geocache</sym></wpt>
</gpx>
GPX
"$bin/hikewise-tool" wpt-import "$db" "$tmp/map.gpx" > /dev/null
map_shot() { # NAME CONF-LINES ARGS...
  local name=$1 conf=$tmp/$1.conf
  printf '%b' "$2" > "$conf"
  shift 2
  rm -f "$tmp/map.trk"
  hikewise --settings "$conf" --replay "$log" --page 3 --database "$db" \
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
# North up with a goto, in each of the five themes at both sizes.
theme_conf() { printf '[%%U4E3B%%U9898%%U989C%%U8272]\\n%%U4E3B%%U9898=%s\\n' "$1"; }
for theme in $themes; do
  for size in 480x640 800x480; do
    map_shot "goto-theme$theme-$size" "$(theme_conf "$theme")" --north-up --goto Pavilion \
      --size "$size"
  done
done
# The waypoint list measures from the stored position: one beside the
# waypoints ("当前位置纬度" and "当前位置经度" of section "地图").
near='[%U5730%U56FE]\n%U5F53%U524D%U4F4D%U7F6E%U7EAC%U5EA6=43739000\n%U5F53%U524D%U4F4D%U7F6E%U7ECF%U5EA6=7420000\n'
for dialog in map-properties plan-waypoint waypoint-list; do
  map_shot "dialog-$dialog" "$near" --dialog "$dialog"
done
# "显示导航窗口" = 0: the navigation strip hidden.
no_strip='[%U5730%U56FE]\n%U663E%U793A%U5BFC%U822A%U7A97%U53E3=0\n'
for size in 480x640 800x480; do
  map_shot "strip-hidden-$size" "$no_strip" --north-up --size "$size"
done

# The road map of Monaco under a walk through its streets, at several zoom
# levels, north up and course up, and in the night theme.
pbf=${HIKEWISE_PEER_DATA:-$here/../shared/peer-data}/osm/monaco.osm.pbf
if [ -f "$pbf" ]; then
  "$bin/hikewise-tool" map-import "$pbf" "$tmp/monaco.map" > /dev/null
  "$bin/hikewise-nmea-sim" --start 43.7376,7.4240,60 --radius 250 --duration 900 \
    --gsv-every 5 --output "$tmp/monaco.nmea"
  roads_shot() { # NAME CONF-LINES ARGS...
    local name=$1 conf=$tmp/$1.conf
    printf '%b' "$2" > "$conf"
    shift 2
    rm -f "$tmp/monaco.trk"
    hikewise --settings "$conf" --replay "$tmp/monaco.nmea" --page 3 \
      --database "$tmp/none.wpt" --track "$tmp/monaco.trk" --roads "$tmp/monaco.map" \
      --replay-speed 16 --after 6 "$@" --screenshot "$out/map-roads-$name.png" 2>/dev/null
  }
  for zoom in 2 4 5 7 9 12; do
    roads_shot "zoom$zoom-north-up-800x480" '' --zoom "$zoom" --north-up --size 800x480
  done
  for zoom in 4 7; do
    roads_shot "zoom$zoom-course-up-480x640" '' --zoom "$zoom" --course-up --size 480x640
  done
  roads_shot "zoom5-north-up-480x640-no-strip" "$no_strip" --zoom 5 --north-up --size 480x640
  roads_shot "zoom5-night-800x480" '[%U4E3B%U9898%U989C%U8272]\n%U4E3B%U9898=2\n' --zoom 5 \
    --north-up --size 800x480
  for theme in $themes; do
    for size in 480x640 800x480; do
      roads_shot "zoom5-theme$theme-$size" "$(theme_conf "$theme")" --zoom 5 --north-up \
        --size "$size"
    done
  done
  roads_shot "dialog-map-properties-roads" '' --dialog map-properties-roads
  # Panned by a drag, the return button shown: drawn by the window test.
  if [ -z "$language" ]; then
    HIKEWISE_GALLERY_DIR=$out "$bin/test_map_window" \
      aPannedMapWithRoadsShowsTheReturnButtonAndTheCredit > /dev/null
  fi
else
  echo "no $pbf: the road map pictures are left out" >&2
fi
# The waypoint file dialogs and the averaging status, in every theme and
# both sizes, over a database of real geocaches (the peer pocket queries).
pq=$tmp/pq.wpt
peer=${HIKEWISE_PEER_DATA_DIR:-$here/../shared/peer-data}/gpx
if [ -f "$peer/geocaching.gpx" ]; then
  "$bin/hikewise-tool" wpt-import "$pq" "$peer/geocaching.gpx" "$peer/GC7FA4.gpx" > /dev/null
else
  cp "$db" "$pq"
fi
file_dialogs=(csv-import csv-import-waypoints import-progress import-summary import-error database-recovery
  replace-question found-question visits-question averaging averaging-menu waypoint-message)
for theme in $themes; do
  conf=$tmp/files$theme.conf
  for size in 480x640 800x480; do
    for dialog in "${file_dialogs[@]}"; do
      # Afresh for every picture: a run stores its last position at exit.
      printf '[%%U4E3B%%U9898%%U989C%%U8272]\n%%U4E3B%%U9898=%s\n' "$theme" > "$conf"
      hikewise --settings "$conf" --replay "$log" --database "$pq" \
        --track "$tmp/files.trk" --size "$size" --dialog "$dialog" --after 3 \
        --screenshot "$out/dialog-$dialog-theme$theme-$size.png" 2>/dev/null
    done
  done
done
# The waypoint dialogs and sheets over the peer pocket-query caches, in every
# theme and both sizes, from a position among the caches (section "地图",
# "当前位置纬度" and "当前位置经度"; the manager's "List Distance" 60).
peer=${HIKEWISE_PEER_DATA_DIR:-$here/../shared/peer-data}
if [ -f "$peer/gpx/geocaching.gpx" ]; then
  pq=$tmp/pq.wpt
  "$bin/hikewise-tool" wpt-import "$pq" "$peer/gpx/geocaching.gpx" "$peer/gpx/GC7FA4.gpx" > /dev/null
  for theme in $themes; do
    conf=$tmp/wpt$theme.conf
    for size in 480x640 800x480; do
      for dialog in waypoint-manager waypoint-list edit-waypoint edit-waypoint-2 edit-waypoint-3 \
        edit-waypoint-4 edit-waypoint-5 edit-multiple; do
        # Afresh for every picture: a run stores its last position at exit,
        # and the lists measure their distances from it.
        printf '[%%U4E3B%%U9898%%U989C%%U8272]\n%%U4E3B%%U9898=%s\n[%%U5730%%U56FE]\n%%U5F53%%U524D%%U4F4D%%U7F6E%%U7EAC%%U5EA6=36050000\n%%U5F53%%U524D%%U4F4D%%U7F6E%%U7ECF%%U5EA6=-86750000\n[Waypoint%%20Manager%%20Dialog]\nList%%20Distance=60\n' "$theme" > "$conf"
        hikewise --settings "$conf" --database "$pq" --page 3 --size "$size" --after 1 \
          --dialog "$dialog" --screenshot "$out/wpt-$dialog-theme$theme-$size.png" 2>/dev/null
      done
    done
  done
fi
echo "gallery in $out"
if [ -z "$language" ]; then
  HIKEWISE_GALLERY_LANGUAGE=en HIKEWISE_GALLERY_THEMES=${HIKEWISE_GALLERY_THEMES:-0} \
    "$0" "$out/en" "$log"
fi
