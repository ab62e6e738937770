#!/usr/bin/env bash
# A real OpenStreetMap extract imported as a map: the ways of each road class
# are those that osmium-tool keeps for the same tags, the areas, lines and
# points of each class those that osmium export assembles and writes, the
# summary reads back the same from the file, and a damaged extract leaves no
# map file behind.
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
grep -q -E '^\{"ways":[0-9]+,"nodes":[0-9]+,"classes":\[([0-9]+,){9}[0-9]+\],"bounds":\{"minlat":[-0-9.]+,"minlon":[-0-9.]+,"maxlat":[-0-9.]+,"maxlon":[-0-9.]+\},"areas":\[([0-9]+,){7}[0-9]+\],"lines":\[([0-9]+,){5}[0-9]+\],"points":\[([0-9]+,){5}[0-9]+\],"broken_areas":[0-9]+,"graph":\{"nodes":[0-9]+,"edges":[0-9]+\}\}$' "$work/list.json"

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

# Areas, lines and points class by class against what osmium export
# assembles from the same extract with the same multipolygon machinery: the
# first class of a kind whose tags a feature has, "no" never matching,
# places only with a name.
osmium export --no-progress -f geojsonseq -a type,id -O -o "$work/export.geojsonseq" "$pbf"
python3 - "$work/list.json" "$work/export.geojsonseq" <<'PY'
import json, sys
AREAS = [
    [("natural", "water"), ("landuse", "reservoir basin"), ("waterway", "riverbank")],
    [("landuse", "forest"), ("natural", "wood")],
    [("landuse", "meadow grass village_green"), ("natural", "grassland heath scrub")],
    [("landuse", "farmland orchard vineyard allotments")],
    [("landuse", "residential commercial industrial retail")],
    [("natural", "bare_rock scree glacier")],
    [("natural", "wetland")],
    [("building", "*")],
]
LINES = [
    [("waterway", "river canal")],
    [("waterway", "stream ditch drain")],
    [("natural", "cliff ridge arete")],
    [("aerialway", "cable_car gondola chair_lift drag_lift t-bar j-bar platter mixed_lift")],
    [("power", "line")],
    [("natural", "coastline")],
]
POINTS = [
    [("natural", "peak volcano")],
    [("natural", "saddle"), ("mountain_pass", "yes")],
    [("place", "city town village hamlet locality isolated_dwelling")],
    [("tourism", "alpine_hut wilderness_hut"), ("amenity", "shelter")],
    [("natural", "spring"), ("amenity", "drinking_water")],
    [("tourism", "viewpoint")],
]
def cls(table, tags, named_places=False):
    for i, rules in enumerate(table):
        for key, values in rules:
            v = tags.get(key)
            if v is None or v == "no":
                continue
            if values == "*" or v in values.split():
                if named_places and i == 2 and not (tags.get("name:zh") or tags.get("name")):
                    continue
                return i
    return -1
areas, lines, points = [0] * 8, [0] * 6, [0] * 6
for raw in open(sys.argv[2], encoding="utf-8"):
    f = json.loads(raw.lstrip("\x1e"))
    kind, tags = f["geometry"]["type"], f["properties"]
    if kind == "MultiPolygon":
        c = cls(AREAS, tags)
        if c >= 0: areas[c] += 1
    elif kind == "LineString" and tags["@type"] == "way":
        c = cls(LINES, tags)
        if c >= 0: lines[c] += 1
    elif kind == "Point" and tags["@type"] == "node":
        c = cls(POINTS, tags, named_places=True)
        if c >= 0: points[c] += 1
ours = json.load(open(sys.argv[1]))
for key, want in (("areas", areas), ("lines", lines), ("points", points)):
    assert ours[key] == want, f"{key}: ours {ours[key]}, osmium {want}"
assert sum(areas) > 1000 and ours["lines"][5] > 0, (areas, lines)
print("areas", areas, "lines", lines, "points", points, "broken", ours["broken_areas"])
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
