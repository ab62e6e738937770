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
expect_broken base/Utf8.cpp "units/UnitFormatter.h" "base/ includes only base/"
expect_broken map/TrackLog.cpp "map/gui/MapView.h" "a core folder includes no gui/ header"
expect_broken gps/NmeaParser.cpp "shell/CommandIds.h" "only shell/ includes shell/ headers"
expect_broken map/gui/MapWnd.cpp "instruments/gui/MsgWnd.h" "a subsystem's gui/ includes no other subsystem's gui/"
expect_broken instruments/gui/MsgWnd.h "shell/gui/MapPageParts.h" "a subsystem's gui/ includes no other subsystem's gui/"
expect_broken widgets/PopupMenu.cpp "shell/MainMenu.h" "widgets/ includes only base/ and widgets/"
expect_broken widgets/ThemeColour.h "map/gui/MapView.h" "widgets/ includes only base/ and widgets/"
# The shell's gui and the program's entry may include every gui/.
for ok in shell/gui/CMainFrame.cpp:map/gui/MapWnd.h app/main.cpp:waypoints/gui/SymbolStrips.h; do
  rm -rf "$copy/src"
  cp -r "$HIKEWISE_SOURCE_DIR/src" "$copy/src"
  printf '#include "%s"\n' "${ok#*:}" >>"$copy/src/${ok%%:*}"
  "$check" "$copy/src" >/dev/null || { echo "check refused ${ok%%:*} including ${ok#*:}"; exit 1; }
done
echo "include rules checked"
