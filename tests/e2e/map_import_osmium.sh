#!/usr/bin/env bash
# A real OpenStreetMap extract imported as a road map: the ways of each class
# are those that osmium-tool keeps for the same tags, the summary reads back
# the same from the file, and a damaged extract leaves no map file behind.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
require_peer_data osm
require_tools osmium
pbf="$HIKEWISE_PEER_DATA_DIR/osm/monaco.osm.pbf"
tool="$HIKEWISE_BIN_DIR/hikewise-tool"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$tool" map-import "$pbf" "$work/monaco.map" > "$work/import.json"
"$tool" map-list "$work/monaco.map" > "$work/list.json"
cmp "$work/import.json" "$work/list.json"
grep -q -E '^\{"ways":[0-9]+,"nodes":[0-9]+,"classes":\[([0-9]+,){9}[0-9]+\],"bounds":\{"minlat":[-0-9.]+,"minlon":[-0-9.]+,"maxlat":[-0-9.]+,"maxlon":[-0-9.]+\}\}$' "$work/list.json"

# What osmium keeps of each class: the ways with the tag values, less those
# the extract cut down to a single node (no line to draw).
classes=(
  highway=motorway,motorway_link
  highway=trunk,trunk_link
  highway=primary,primary_link
  highway=secondary,secondary_link
  highway=tertiary,tertiary_link
  highway=unclassified,residential,living_street,road
  highway=service
  highway=track
  highway=path,footway,bridleway,cycleway,steps,pedestrian
  railway=rail,light_rail,narrow_gauge
)
expected=()
for filter in "${classes[@]}"; do
  osmium tags-filter --no-progress -R -O -o "$work/class.osm.pbf" "$pbf" "w/$filter"
  n=$(osmium cat --no-progress -f opl "$work/class.osm.pbf" \
      | awk '/^w/ { if (split($NF, refs, ",") >= 2) n++ } END { print n + 0 }')
  expected+=("$n")
done
want=$(IFS=,; echo "${expected[*]}")
got=$(sed -E 's/.*"classes":\[([0-9,]+)\].*/\1/' "$work/list.json")
[ "$got" = "$want" ] || { echo "classes: ours $got, osmium $want"; exit 1; }
ways=$(sed -E 's/^\{"ways":([0-9]+),.*/\1/' "$work/list.json")
sum=$(( $(echo "$want" | tr ',' '+') ))
[ "$ways" = "$sum" ] || { echo "ways $ways, classes add up to $sum"; exit 1; }
# Monaco lies within its own bounds.
python3 - "$work/list.json" <<'PY'
import json, sys
b = json.load(open(sys.argv[1]))["bounds"]
assert b["minlat"] < 43.73 < b["maxlat"] and b["minlon"] < 7.42 < b["maxlon"], b
PY

# A cut-off or foreign extract: an error, and no map file.
head -c 900000 "$pbf" > "$work/cut.osm.pbf"
head -c 4096 /dev/zero > "$work/zero.osm.pbf"
for bad in "$work/cut.osm.pbf" "$work/zero.osm.pbf" "$work/missing.osm.pbf"; do
  if "$tool" map-import "$bad" "$work/bad.map" 2> "$work/err"; then
    echo "$bad imported"; exit 1
  fi
  grep -q "cannot read the extract" "$work/err"
  [ ! -e "$work/bad.map" ] || { echo "$bad left a map file"; exit 1; }
done
# A failed import leaves an earlier map file as it was.
cp "$work/monaco.map" "$work/keep.map"
"$tool" map-import "$work/cut.osm.pbf" "$work/keep.map" 2>/dev/null && exit 1
cmp "$work/monaco.map" "$work/keep.map"
# A damaged map file is refused by map-list.
head -c 5000 "$work/monaco.map" > "$work/short.map"
"$tool" map-list "$work/short.map" 2> "$work/err" && exit 1
grep -q "damaged" "$work/err"
echo "Monaco imported: classes $got, as osmium counts them"
