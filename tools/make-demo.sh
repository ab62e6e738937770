#!/usr/bin/env bash
# Makes the bundled demo again from the peer data: the OpenStreetMap extract
# and the elevation of Monaco and the hills behind it, the walk's course
# planned on them by the program (hiking mode), and the walk's NMEA log along
# the course with a stop at a viewpoint, a loss of fix and one excursion off
# the course to a geocache and back.
#   tools/make-demo.sh [PEER-DATA-DIR] [OUTDIR]
# Needs osmium, gdal_translate, python3 and the built hikewise-tool and
# hikewise-nmea-sim. OUTDIR defaults to resources/demo.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${HIKEWISE_BIN_DIR:-$here/build/bin}
peer=${1:-$here/../shared/peer-data}
out=${2:-$here/resources/demo}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The box: the harbour and Monte Carlo in the south, the Moyenne Corniche and
# the slopes below La Turbie in the north (west, south, east, north).
box=(7.395 43.725 7.445 43.755)
from=43.7350,7.4235 # the harbour
to=43.7421,7.4193   # half an hour up, on the way to La Turbie

osmium extract --bbox "$(IFS=,; echo "${box[*]}")" -s smart -O -o "$tmp/cut.osm.pbf" \
  "$peer/osm/monaco.osm.pbf"
# Without the editors' metadata, which the map does not read.
osmium cat -f pbf,add_metadata=false -O -o "$out/monaco.osm.pbf" "$tmp/cut.osm.pbf"
gdal_translate -q -of GTiff -ot Int16 -projwin "${box[0]}" "${box[3]}" "${box[2]}" "${box[1]}" \
  "$peer/dem/N43E007.hgt" "$out/monaco.tif"

"$bin/hikewise-tool" dem-import "$out/monaco.tif" "$tmp/monaco.dem" > /dev/null
"$bin/hikewise-tool" map-import "$out/monaco.osm.pbf" "$tmp/monaco.map" \
  --terrain "$tmp/monaco.dem" > /dev/null
"$bin/hikewise-tool" route "$tmp/monaco.map" "$from" "$to" --mode hiking \
  --terrain "$tmp/monaco.dem" --gpx "$tmp/course.gpx" > "$tmp/route.json"
sed 's#<name>Route</name>#<name>Monaco: up towards La Turbie</name>#' "$tmp/course.gpx" \
  > "$out/demo-course.gpx"

# The simulator's route: the course's points with the terrain's heights, and
# at 40 % of the way a walk of 100 m off to the side and back.
gdal_translate -q -of XYZ "$out/monaco.tif" "$tmp/heights.xyz"
python3 - "$tmp/route.json" "$tmp/heights.xyz" > "$tmp/walk.txt" <<'PY'
import json, math, sys
path = json.load(open(sys.argv[1]))["path"]
cells = {}
for line in open(sys.argv[2]):
    x, y, z = map(float, line.split())
    cells[(round(x * 1200), round(y * 1200))] = z
def height(lat, lon):  # bilinear between the four cells around
    fx, fy = lon * 1200 - 0.5, lat * 1200 - 0.5
    i, j = math.floor(fx), math.floor(fy)
    fx, fy = fx - i, fy - j
    z = lambda a, b: cells[(i + a, j + b)] if (i + a, j + b) in cells else cells[(i, j)]
    return (z(0, 0) * (1 - fx) * (1 - fy) + z(1, 0) * fx * (1 - fy) +
            z(0, 1) * (1 - fx) * fy + z(1, 1) * fx * fy)
print("# The demo walk: the planned course from the harbour of Monaco, with an")
print("# excursion of 100 m to a geocache and back. lat lon altitude")
turn = len(path) * 2 // 5
for k, (lat, lon) in enumerate(path):
    print(f"{lat:.6f} {lon:.6f} {height(lat, lon):.0f}")
    if k == turn:
        # 100 m square to the course's direction here, to the left.
        nlat, nlon = path[k + 1]
        dy, dx = nlat - lat, (nlon - lon) * math.cos(math.radians(lat))
        norm = math.hypot(dx, dy) or 1
        step = 100 / 111320
        clat = lat + dx / norm * step
        clon = lon - dy / norm * step / math.cos(math.radians(lat))
        print(f"{clat:.6f} {clon:.6f} {height(clat, clon):.0f}   # the cache")
        print(f"{lat:.6f} {lon:.6f} {height(lat, lon):.0f}   # back on the course")
PY
# Kept beside the simulator's other routes when the demo itself is made.
routes=$here/tools/nmea-sim/routes
[ "$out" -ef "$here/resources/demo" ] && cp "$tmp/walk.txt" "$routes/monaco-walk.txt"
# A stop of 2.5 minutes at the view over the harbour; 45 s without a fix
# among the houses further up.
"$bin/hikewise-nmea-sim" --route "$tmp/walk.txt" --speed 1.8 \
  --stop 1000+150 --no-fix 1350+45 --start-time 2026-05-16T07:30:00 --seed 7 \
  --output "$out/demo.nmea"
echo "demo in $out: $(grep -c '^\$GPGGA' "$out/demo.nmea") s of walk"
