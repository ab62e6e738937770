#!/usr/bin/env bash
# Routing on foot over Monaco's walking network with the SRTM tile under it:
# the network's counts against the walkable ways counted here from the
# extract, the route up to La Turbie with its climb, lengths and snapping
# checked against the path and the ways, symmetric shortest routes, the GPX
# read by GPSBabel, the pairs file, and the errors.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
require_peer_data osm
require_peer_data dem
require_tools osmium gpsbabel python3
pbf="$HIKEWISE_PEER_DATA_DIR/osm/monaco.osm.pbf"
tool="$HIKEWISE_BIN_DIR/hikewise-tool"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$tool" dem-import "$HIKEWISE_PEER_DATA_DIR/dem/N43E007.hgt" "$work/N43E007.dem" > /dev/null \
  2> "$work/progress"
[ ! -s "$work/progress" ] || { echo "dem-import wrote to a pipe:"; cat "$work/progress"; exit 1; }
# On a terminal it shows its phases.
script -qec "'$tool' dem-import '$HIKEWISE_PEER_DATA_DIR/dem/N43E007.hgt' '$work/tty.dem'" \
  /dev/null > "$work/tty.out"
grep -q "dem-import: reading" "$work/tty.out" || { echo "no progress on a terminal"; exit 1; }
"$tool" map-import "$pbf" "$work/monaco.map" --terrain "$work/N43E007.dem" > "$work/import.json" \
  2> "$work/progress"
# Progress only on a terminal.
[ ! -s "$work/progress" ] || { echo "map-import wrote to a pipe:"; cat "$work/progress"; exit 1; }
"$tool" map-list "$work/monaco.map" | cmp - "$work/import.json"
osmium cat --no-progress -f opl -O -o "$work/monaco.opl" "$pbf"

route() { "$tool" route "$work/monaco.map" "$@"; }
route 43.7350,7.4235 43.7505,7.4030 --mode hiking --terrain "$work/N43E007.dem" \
  --gpx "$work/turbie.gpx" > "$work/hiking.json"
route 43.7350,7.4235 43.7505,7.4030 > "$work/there.json"
route 43.7505,7.4030 43.7350,7.4235 > "$work/back.json"
route 43.7350,7.4235 43.7505,7.4030 --via 43.7390,7.4270 --via 43.7450,7.4150 > "$work/via.json"
# In the sea off Larvotto and off the port.
route 43.7435,7.4345 43.7350,7.4235 > "$work/sea1.json"
route 43.7300,7.4290 43.7350,7.4235 > "$work/sea2.json"
printf '43.7350,7.4235 43.7505,7.4030\nnot a pair\n43.7350,7.4235 44.0,7.4\n' > "$work/pairs"
route --pairs "$work/pairs" --mode hiking > "$work/pairs.json"

python3 - "$work" <<'PY'
import json, math, sys
work = sys.argv[1]
R = 6378.137
def dist_km(a, b):
    p1, p2 = math.radians(a[0]), math.radians(b[0])
    h = math.sin((p2 - p1) / 2) ** 2 + math.cos(p1) * math.cos(p2) * math.sin(math.radians(b[1] - a[1]) / 2) ** 2
    return 2 * math.atan2(math.sqrt(h), math.sqrt(1 - h)) * R
def load(name):
    return json.loads(open(f"{work}/{name}").read())

# The walkable ways of the extract, by the tags alone.
WALK = set("footway path pedestrian steps track bridleway cycleway living_street residential service "
           "unclassified road tertiary tertiary_link secondary secondary_link primary primary_link "
           "trunk trunk_link".split())
ALLOW = {"yes", "designated", "official", "permissive"}
BAR = {"no", "private", "restricted", "military", "emergency"}
def walkable(t):
    h, foot = t.get("highway"), t.get("foot")
    if h is None or (h not in WALK and (h in {"construction", "proposed", "abandoned", "razed"} or foot not in ALLOW)):
        return False
    if foot in BAR or foot == "use_sidepath":
        return False
    return foot in ALLOW or t.get("access") not in BAR
def unescape(s):
    out, parts = "", s.split("%")
    for i, p in enumerate(parts):
        out += chr(int(p, 16)) if i % 2 else p
    return out
nodes, ways = {}, []
for line in open(f"{work}/monaco.opl", encoding="utf-8"):
    f = line.split()
    if f[0][0] == "n":
        x = next(v for v in f if v[0] == "x"); y = next(v for v in f if v[0] == "y")
        if len(x) > 1:
            nodes[int(f[0][1:])] = (round(float(y[1:]) * 1e6) / 1e6, round(float(x[1:]) * 1e6) / 1e6)
    elif f[0][0] == "w":
        t = next(v for v in f if v[0] == "T")[1:]
        tags = dict(unescape(kv).split("=", 1) for kv in t.split(",") if "=" in kv)
        refs = [int(r[1:]) for r in next(v for v in f if v[0] == "N")[1:].split(",") if r]
        if walkable(tags):
            ways.append((refs, tags))
# Points where walkable ways meet or end, and the pieces of way between them.
uses = {}
pieces = []
for refs, _ in ways:
    run = []
    for r in refs + [None]:
        if r is not None and r in nodes:
            if not run or run[-1] != r:
                run.append(r)
            continue
        if len(run) > 1:
            pieces.append(run)
        run = []
for run in pieces:
    for i, r in enumerate(run):
        uses[r] = uses.get(r, 0) + (2 if i in (0, len(run) - 1) else 1)
junction = {r for r, n in uses.items() if n >= 2}
edges = sum(sum(1 for r in run[1:] if r in junction) for run in pieces)
graph = load("import.json")["graph"]
assert graph == {"nodes": len(junction), "edges": edges}, (graph, len(junction), edges)

def figures_hold(r):
    path = r["path"]
    assert r["points"] == len(path)
    length = sum(dist_km(a, b) for a, b in zip(path, path[1:])) * 1000
    assert abs(length - r["length_m"]) < 0.1, (length, r["length_m"])

hiking, there, back, via = load("hiking.json"), load("there.json"), load("back.json"), load("via.json")
for r in (hiking, there, back, via):
    figures_hold(r)
# Up to La Turbie: some 500 m of climb, slower than on the flat.
assert 400 < hiking["ascent_m"] < 700 and hiking["descent_m"] < 150, hiking
assert hiking["time_s"] > hiking["length_m"] / 5000 * 3600 * 1.2, hiking
assert abs(there["length_m"] - back["length_m"]) < 0.1, (there["length_m"], back["length_m"])
assert there["length_m"] <= hiking["length_m"] + 0.1
assert via["length_m"] >= there["length_m"] and len(via["snap_m"]) == 4

# A position in the sea snaps to the nearest point of a walkable way on the
# shore: the foot of the perpendicular, as found here over every segment.
def nearest(lat, lon):
    best = (1e9, None)
    c = math.cos(math.radians(lat))
    for refs, tags in ways:
        pts = [nodes[r] for r in refs if r in nodes]
        for a, b in zip(pts, pts[1:]):
            ax, ay = (a[1] - lon) * c, a[0] - lat
            dx, dy = (b[1] - a[1]) * c, b[0] - a[0]
            l2 = dx * dx + dy * dy
            t = min(1, max(0, -(ax * dx + ay * dy) / l2)) if l2 > 0 else 0
            p = (a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1]))
            d = dist_km((lat, lon), p) * 1000
            if d < best[0]:
                best = (d, tags, (a, b, p))
    return best
for name, pos in (("sea1.json", (43.7435, 7.4345)), ("sea2.json", (43.7300, 7.4290))):
    r = load(name)
    figures_hold(r)
    d, tags, _ = nearest(*pos)
    assert 20 < r["snap_m"][0] < 500 and abs(r["snap_m"][0] - d) < 0.5, (name, r["snap_m"], d, tags)

# The shortest route's length is a plain Dijkstra's over the ways' segments,
# from the snapped start to the snapped end.
import heapq
graph_next = {}
def link(a, b):
    d = dist_km(a, b) * 1000
    graph_next.setdefault(a, []).append((b, d))
    graph_next.setdefault(b, []).append((a, d))
for refs, _ in ways:
    pts = [nodes[r] for r in refs if r in nodes]
    for a, b in zip(pts, pts[1:]):
        link(a, b)
ends = []
for pos in ((43.7350, 7.4235), (43.7505, 7.4030)):
    _, _, (a, b, p) = nearest(*pos)
    p = (round(p[0] * 1e6) / 1e6, round(p[1] * 1e6) / 1e6)
    link(p, a), link(p, b)
    ends.append(p)
best = {ends[0]: 0}
queue = [(0, ends[0])]
while queue:
    d, n = heapq.heappop(queue)
    if n == ends[1]:
        break
    if d > best[n]:
        continue
    for m, w in graph_next.get(n, []):
        if d + w < best.get(m, 1e18):
            best[m] = d + w
            heapq.heappush(queue, (d + w, m))
assert abs(d - there["length_m"]) < 0.5, (d, there["length_m"])

pairs = [json.loads(l) for l in open(f"{work}/pairs.json")]
assert len(pairs) == 3 and pairs[0]["ms"] >= 0 and pairs[0]["length_m"] == hiking["length_m"]
assert pairs[1]["error"].startswith("cannot read") and pairs[2] == {"error": "no walkable way within 5 km of 44.0,7.4"}, pairs
print("graph", graph, "shortest", there["length_m"], "Dijkstra", round(d, 1), "La Turbie", {k: hiking[k] for k in ("length_m", "time_s", "ascent_m", "descent_m", "points")})
PY

# The GPX: every point in the track, at most 250 in the route.
track=$(gpsbabel -t -i gpx -f "$work/turbie.gpx" -o unicsv -F - | tail -n +2 | wc -l)
rte=$(gpsbabel -r -i gpx -f "$work/turbie.gpx" -o unicsv -F - | tail -n +2 | wc -l)
points=$(sed -E 's/.*"points":([0-9]+).*/\1/' "$work/hiking.json")
[ "$track" = "$points" ] || { echo "GPX track $track points, route $points"; exit 1; }
[ "$rte" -ge 2 ] && [ "$rte" -le 250 ] || { echo "GPX route of $rte points"; exit 1; }

# Errors: far from every way, no route at all, a damaged map file.
set +e
route 43.7350,7.4235 44.5,7.4 > "$work/far.json"; rc=$?
[ $rc = 1 ] && grep -qx '{"error":"no walkable way within 5 km of 44.5,7.4"}' "$work/far.json" || exit 1
size=$(stat -c %s "$work/monaco.map")
for cut in 100 $((size / 2)) $((size - 7)); do
  head -c "$cut" "$work/monaco.map" > "$work/cut.map"
  "$tool" route "$work/cut.map" 43.7350,7.4235 43.7505,7.4030 > /dev/null 2> "$work/err"; rc=$?
  [ $rc = 1 ] && grep -q "damaged" "$work/err" || { echo "cut at $cut: exit $rc"; cat "$work/err"; exit 1; }
done
echo "routes over Monaco hold"
