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
expect_broken gps/NmeaParser.cpp "shell/ColourTheme.h" "only shell/ includes shell/ headers"
echo "include rules checked"
