#!/usr/bin/env bash
# Courses end to end: the program's own GPX, KML and track file and a
# GPSBabel GPX of the same walk open as the same course; a course across the
# Monaco terrain takes its heights; simulated walks (receiver noise, a start
# in the middle, 150 m off and back, reversed) followed by course-follow.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
require_peer_data dem
require_tools python3 gpsbabel
tool="$HIKEWISE_BIN_DIR/hikewise-tool"
sim="$HIKEWISE_BIN_DIR/hikewise-nmea-sim"
route="$HIKEWISE_SOURCE_DIR/tools/nmea-sim/routes/ridge-walk.txt"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# The course: the ridge walk as the program records and exports it.
"$sim" --route "$route" --seed 3 --output walk.nmea
"$tool" nmea-track walk.nmea walk.trk > /dev/null
"$tool" trk-export gpx walk.trk walk.gpx > /dev/null
"$tool" trk-export kml walk.trk walk.kml > /dev/null
gpsbabel -i nmea -f walk.nmea -o gpx,gpxver=1.1 -F babel.gpx
for f in walk.trk walk.gpx walk.kml babel.gpx; do "$tool" course-info "$f" > "$f.json"; done
if "$tool" course-info "$HIKEWISE_PEER_DATA_DIR/gpx/geocaching.gpx" 2> none.txt; then exit 1; fi
grep -q "no track or route" none.txt

# Walks made from the route's points: from the middle, with an excursion
# 150 m east and back, and reversed.
python3 - "$route" <<'PY'
import math, sys
pts = [l.split("#")[0].split() for l in open(sys.argv[1])]
pts = [tuple(map(float, p)) for p in pts if p]
def save(name, ps):
    open(name, "w").write("".join("%.6f %.6f %.1f\n" % p for p in ps))
save("middle.txt", pts[len(pts) // 2:])
lat, lon, alt = pts[5]
east = 150 / (111195 * math.cos(math.radians(lat)))
save("excursion.txt", pts[:6] + [(lat, lon + east, alt), (lat, lon, alt)] + pts[6:])
save("reversed.txt", pts[::-1])
PY
for w in middle excursion reversed; do "$sim" --route $w.txt --seed 5 --output $w.nmea; done
"$tool" course-follow walk.gpx walk.nmea > full.jsonl
"$tool" course-follow walk.gpx middle.nmea > middle.jsonl
"$tool" course-follow walk.gpx excursion.nmea --off 40 > excursion.jsonl
"$tool" course-follow walk.trk reversed.nmea --reverse > reversed.jsonl

# A course across the Monaco tile, from the sea up to the hills, no heights
# in the file: heights from the terrain where it covers the points.
"$tool" dem-import "$HIKEWISE_PEER_DATA_DIR/dem/N43E007.hgt" monaco.dem > /dev/null
python3 - <<'PY'
pts = [(43.70 + i * 0.002, 7.42 + i * 0.001) for i in range(60)]
open("monaco.gpx", "w").write('<gpx version="1.0"><rte><name>Up</name>%s</rte></gpx>' %
    "".join('<rtept lat="%.6f" lon="%.6f"/>' % p for p in pts))
PY
"$tool" course-info monaco.gpx > flat.json
"$tool" course-info monaco.gpx --terrain monaco.dem > terrain.json

python3 - "$HIKEWISE_PEER_DATA_DIR/dem/N43E007.hgt" <<'PY'
import json, math, struct, sys
def one(name):
    lines = [json.loads(l) for l in open(name)]
    assert len(lines) == 1, (name, lines)
    return lines[0]
trk, gpx, kml, babel = (one(f + ".json") for f in ("walk.trk", "walk.gpx", "walk.kml", "babel.gpx"))
assert trk["points"] == gpx["points"] == kml["points"] > 300, (trk, gpx, kml)
assert abs(trk["length_m"] - gpx["length_m"]) < 1 and abs(kml["length_m"] - gpx["length_m"]) < 2
assert abs(trk["ascent_m"] - gpx["ascent_m"]) < 1 and kml["ascent_m"] is None  # clamped to ground
# GPSBabel keeps every fix, the track log filters: the same walk all the same.
assert abs(babel["length_m"] - gpx["length_m"]) < 0.15 * gpx["length_m"], babel
assert abs(babel["ascent_m"] - gpx["ascent_m"]) < 10 and abs(babel["max_ele"] - gpx["max_ele"]) < 5
# No faster than Tobler's fastest, 6 km/h; no slower than a slow walk.
assert gpx["length_m"] / 6 * 3.6 <= gpx["time_s"] < 1.5 * 3600 * gpx["length_m"] / 4000 + 1800, gpx

def run(name):
    lines = [json.loads(l) for l in open(name)]
    return lines[:-1], lines[-1]
def steady(fixes, limit=15):
    on = [f for f in fixes if not f["off"]]
    return max(abs(b["along_m"] - a["along_m"]) for a, b in zip(on, on[1:])) < limit
length = gpx["length_m"]
for name in ("full", "middle", "excursion", "reversed"):
    fixes, end = run(name + ".jsonl")
    assert end["arrived"] and end["fixes"] >= len(fixes), (name, end)
    assert fixes[-1]["along_m"] > 0.9 * length and fixes[-1]["to_go_m"] < 40, (name, fixes[-1])
    assert steady(fixes), name
    assert all(abs(f["along_m"] + f["to_go_m"] - length) < 2 for f in fixes), name
    assert all(isinstance(f["time"], int) for f in fixes[1:]), name
    assert end["off_events"] == (1 if name == "excursion" else 0), (name, end)
full, _ = run("full.jsonl")
assert full[0]["along_m"] < 10 and full[0]["ascent_to_go_m"] == gpx["ascent_m"]
middle, _ = run("middle.jsonl")
assert 0.3 * length < middle[0]["along_m"] < 0.7 * length, middle[0]
exc, _ = run("excursion.jsonl")
assert max(f["xte_m"] for f in exc) > 120 and not exc[-1]["off"]
rev, _ = run("reversed.jsonl")
# Walked from the end, what was descent is now to be climbed.
assert rev[0]["along_m"] < 10 and abs(rev[0]["ascent_to_go_m"] - trk["descent_m"]) < 15, rev[0]

flat, ter = one("flat.json"), one("terrain.json")
assert flat["ascent_m"] is None and flat["min_ele"] is None and flat["kind"] == "route"
# Tobler on the flat: 6 e^(-0.175), about 5.04 km/h.
assert abs(flat["time_s"] - flat["length_m"] / (6 * math.exp(-0.175)) * 3.6) < 1, flat
raw = open(sys.argv[1], "rb").read()
cells = struct.unpack(">%dh" % (len(raw) // 2), raw)
def height(lat, lon):  # bilinear between the tile's cells, rows from the north
    x, y = (lon - 7) * 1200, (44 - lat) * 1200
    c, r = int(x), int(y); fx, fy = x - c, y - r
    h = lambda rr, cc: cells[rr * 1201 + cc]
    return (h(r, c) * (1 - fx) + h(r, c + 1) * fx) * (1 - fy) + (h(r + 1, c) * (1 - fx) + h(r + 1, c + 1) * fx) * fy
hs = [height(43.70 + i * 0.002, 7.42 + i * 0.001) for i in range(60)]
assert abs(ter["max_ele"] - max(hs)) < 1 and abs(ter["min_ele"] - min(hs)) < 1, (ter, min(hs), max(hs))
assert ter["ascent_m"] > 300 and ter["time_s"] > flat["time_s"], ter
print("courses: ok")
PY
