#!/usr/bin/env bash
# The source tree keeps its include rules, and the check catches each kind of
# broken rule in a copy of the tree.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
check="$HIKEWISE_SOURCE_DIR/tools/check-includes.sh"
"$check" "$HIKEWISE_SOURCE_DIR/src"

copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
expect_broken() { # FILE INCLUDE RULE
  rm -rf "$copy/src"
  cp -r "$HIKEWISE_SOURCE_DIR/src" "$copy/src"
  printf '#include "%s"\n' "$2" >>"$copy/src/$1"
  local out
  if out=$("$check" "$copy/src"); then
    echo "check passed with $1 including $2"
    exit 1
  fi
  grep -qF "$1:" <<<"$out" && grep -qF "$3" <<<"$out" || {
    echo "unexpected message for $1 including $2: $out"
    exit 1
  }
}
# Each floor looks down only: an arrow up, or sideways where the table has
# none, is refused, and so is Qt in the core and one room's gui/ in another's.
expect_broken base/Utf8.cpp "units/UnitFormatter.h" "base/ may include only"
expect_broken geo/LineClip.cpp "units/NumberText.h" "geo/ may include only base"
expect_broken waypoints/CellArea.cpp "track/TrackLog.h" "waypoints/ may include only"
expect_broken track/TrackLog.cpp "map/MapModel.h" "track/ may include only"
expect_broken terrain/HillShade.cpp "basemap/RoadMap.h" "terrain/ may include only"
expect_broken instruments/TripComputer.cpp "map/Navigation.h" "instruments/ may include only"
expect_broken gps/NmeaParser.cpp "shell/FirstRun.h" "gps/ may include only"
expect_broken track/TrackLog.cpp "map/gui/MapView.h" "the core includes no gui/ header"
expect_broken waypoints/Waypoint.cpp "widgets/ThemeColour.h" "the core includes nothing of widgets/"
expect_broken map/gui/MapWnd.cpp "instruments/gui/MsgWnd.h" "a room's gui/ includes no other room's gui/"
expect_broken instruments/gui/MsgWnd.h "shell/gui/MapPageParts.h" "a room's gui/ includes no other room's gui/"
expect_broken widgets/PopupMenu.cpp "gps/NmeaParser.h" "widgets/ may include only base geo units"
expect_broken widgets/ThemeColour.h "map/gui/MapView.h" "widgets/ includes no room's gui/"
# The shell's gui and the program's entry may include every gui/; the map
# window owns the trip computer.
for ok in shell/gui/CMainFrame.cpp:map/gui/MapWnd.h app/main.cpp:waypoints/gui/SymbolStrips.h \
  map/MapModel.cpp:instruments/TripComputer.h track/TrackRecorder.cpp:gps/GpsFix.h; do
  rm -rf "$copy/src"
  cp -r "$HIKEWISE_SOURCE_DIR/src" "$copy/src"
  printf '#include "%s"\n' "${ok#*:}" >>"$copy/src/${ok%%:*}"
  "$check" "$copy/src" >/dev/null || { echo "check refused ${ok%%:*} including ${ok#*:}"; exit 1; }
done
echo "include rules checked"
