#!/usr/bin/env bash
# Waypoints through hikewise-tool and back out as GPX, held against xmllint
# (the GPX 1.0 schema plus the schema of the program's extension) and
# GPSBabel, which must read back every waypoint's name and position.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
require_peer_data gpx
require_tools gpsbabel xmllint

tool="$HIKEWISE_BIN_DIR/hikewise-tool"
peer="$HIKEWISE_PEER_DATA_DIR"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Import: counts per file, as JSON.
printf -- '-122.5,47.25,"Cam 1"\r\n8.5,47.1,Kamera & <2>\r\n' > "$work/cams.csv"
out=$("$tool" wpt-import "$work/db.wpt" "$peer/gpx/geocaching.gpx" "$peer/gpx/GC7FA4.gpx" \
      "$peer/gpx/geocaching.loc" "$work/cams.csv")
expected='{"added":9,"replaced":0}
{"added":1,"replaced":0}
{"added":0,"replaced":0}
{"added":2,"replaced":0}'
[ "$out" = "$expected" ] || fail "wpt-import printed: $out"
out=$("$tool" wpt-import "$work/db.wpt" "$peer/gpx/geocaching.gpx" --replace)
[ "$out" = '{"added":0,"replaced":9}' ] || fail "replace printed: $out"

# An unsupported file: a message on stderr and a non-zero exit.
touch "$work/x.kml"
if "$tool" wpt-import "$work/db.wpt" "$work/x.kml" > /dev/null 2> "$work/err"; then
  fail "an unsupported file was accepted"
fi
grep -q "不支持的路点文件" "$work/err" || fail "no message for an unsupported file"

# The list: one object per waypoint, with the record's field names.
"$tool" wpt-list "$work/db.wpt" > "$work/list.jsonl"
[ "$(wc -l < "$work/list.jsonl")" -eq 12 ] || fail "wpt-list gave $(wc -l < "$work/list.jsonl") lines"
grep -q '"strName":"GC7FA4".*"nDifficulty":10.*"logs":\[{"strText":"This marker' "$work/list.jsonl" \
  || fail "GC7FA4 not listed with its cache fields and logs"
grep -q '"strName":"Cam 1","icon":55' "$work/list.jsonl" || fail "the CSV camera is missing"

# Export and check with the other programs.
"$tool" wpt-export-gpx "$work/db.wpt" "$work/out.gpx" > /dev/null
cat > "$work/check.xsd" <<XSD
<?xml version="1.0"?>
<xsd:schema xmlns:xsd="http://www.w3.org/2001/XMLSchema">
  <xsd:import namespace="http://www.topografix.com/GPX/1/0" schemaLocation="$peer/schema/gpx10.xsd"/>
  <xsd:import namespace="https://hikewise.korv.example.org/waypoint/1/0"
              schemaLocation="$HIKEWISE_SOURCE_DIR/resources/schema/hikewise-waypoint-1-0.xsd"/>
</xsd:schema>
XSD
xmllint --noout --schema "$work/check.xsd" "$work/out.gpx" || fail "the export does not validate"

gpsbabel -i gpx -f "$work/out.gpx" -o unicsv -F "$work/babel.csv"
# Every waypoint: the name and the position (six decimals) that the list holds.
python3 - "$work/list.jsonl" "$work/babel.csv" <<'PY'
import csv, json, sys
listed = [json.loads(line) for line in open(sys.argv[1], encoding="utf-8")]
rows = list(csv.DictReader(open(sys.argv[2], encoding="utf-8")))
if len(rows) != len(listed):
    sys.exit(f"GPSBabel read {len(rows)} waypoints, the database holds {len(listed)}")
for w, r in zip(listed, rows):
    if r["Name"] != w["strName"]:
        sys.exit(f"name {r['Name']!r} != {w['strName']!r}")
    for key, field in (("Latitude", "nLatitude"), ("Longitude", "nLongitude")):
        if round(float(r[key]) * 1e6) != w[field]:
            sys.exit(f"{w['strName']}: {key} {r[key]} != {w[field]}")
PY

# Convert: any version in, the current version out; the input is untouched.
printf '47.5\x1f-122.25\x1f100\x1fHome\n' > "$work/v1.wpt"
cp "$work/v1.wpt" "$work/v1.orig"
out=$("$tool" wpt-convert "$work/v1.wpt" "$work/v7.wpt")
[ "$out" = '{"version":1,"waypoints":1,"truncated":false}' ] || fail "wpt-convert printed: $out"
cmp -s "$work/v1.wpt" "$work/v1.orig" || fail "wpt-convert changed its input"
[ "$(head -c 7 "$work/v7.wpt" | od -An -tx1 | tr -d ' \n')" = 4b4f5256575007 ] || fail "not version 7"
"$tool" wpt-list "$work/v7.wpt" | grep -q '"nLatitude":47500000,"nLongitude":-122250000,"fAltitude":100,"strName":"Home"' \
  || fail "the converted waypoint differs"

# A file that is no database is never overwritten.
printf 'PNG\0\0data' > "$work/pic.wpt"
if "$tool" wpt-import "$work/pic.wpt" "$work/cams.csv" > /dev/null 2>&1; then fail "imported into a non-database"; fi
[ "$(cat "$work/pic.wpt" | od -An -c | tr -d ' \n')" = 'PNG\0\0data' ] || fail "the non-database was changed"
echo OK
