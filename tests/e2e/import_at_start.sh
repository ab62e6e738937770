#!/usr/bin/env bash
# Waypoint files named at start are imported into the run's database as the
# import command would: with --screenshot the summary comes on standard
# output as JSON, the database file holds the caches, and the desktop entry
# offers the program for GPX and LOC files.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
require_peer_data gpx
require_tools desktop-file-validate
fail() { echo "FAIL: $*" >&2; exit 1; }
bin=$HIKEWISE_BIN_DIR
peer=$HIKEWISE_PEER_DATA_DIR/gpx
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
printf '[%%U8BBE%%U7F6E]\nWaypoint%%20Inport%%20Mode=1\n' > "$work/replace.conf"

run() { # CONF ARGS...: the program's standard output
  local conf=$1
  shift
  "$bin/hikewise" --settings "$conf" --database "$work/db.wpt" --track "$work/t.trk" \
    --replay "$HIKEWISE_SOURCE_DIR/tests/gui/data/short.nmea" "$@" \
    --screenshot "$work/shot.png" --after 0 2> "$work/err"
}

out=$(run "$work/plain.conf" --import "$peer/geocaching.gpx" "$peer/GC7FA4.gpx")
[ "$out" = '{"added":10,"replaced":0}' ] || fail "--import printed: $out ($(cat "$work/err"))"
[ -s "$work/shot.png" ] || fail "no screenshot"
count=$("$bin/hikewise-tool" wpt-list "$work/db.wpt" | grep -o '"strName":' | wc -l)
[ "$count" -eq 10 ] || fail "the database holds $count waypoints"
grep -q '"strName":"GC7FA4"' <<<"$("$bin/hikewise-tool" wpt-list "$work/db.wpt")" || fail "GC7FA4 not saved"

# The stored import mode replaces; a LOC file adds nothing new by name.
out=$(run "$work/replace.conf" "$peer/geocaching.gpx" --import "$peer/geocaching.loc")
[ "$out" = '{"added":0,"replaced":9}' ] || fail "replace run printed: $out"

# A file that is no waypoint file: said on standard error, nothing added.
touch "$work/notes.txt"
out=$(run "$work/plain.conf" "$work/notes.txt")
[ "$out" = '{"added":0,"replaced":0}' ] || fail "txt run printed: $out"
grep -q '不支持的路点文件' "$work/err" || fail "no message for a txt file: $(cat "$work/err")"
# A KML is a course: an empty one is refused as such, with its reason.
touch "$work/route.kml"
run "$work/plain.conf" "$work/route.kml" > /dev/null
grep -q '无法打开路线文件' "$work/err" || fail "no message for an empty kml: $(cat "$work/err")"

# The desktop entry opens GPX and LOC files, whose LOC type the program
# declares itself.
desktop=$HIKEWISE_SOURCE_DIR/resources/desktop/hikewise.desktop
grep -q '^Exec=hikewise %F$' "$desktop" || fail "Exec takes no files"
grep -q '^MimeType=.*application/gpx+xml;' "$desktop" || fail "no GPX type"
grep -q '^MimeType=.*application/x-geocaching-loc;' "$desktop" || fail "no LOC type"
grep -q 'type="application/x-geocaching-loc"' \
  "$HIKEWISE_SOURCE_DIR/resources/desktop/hikewise-mime.xml" || fail "LOC type not defined"
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
echo "ok"
