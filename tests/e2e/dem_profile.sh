#!/usr/bin/env bash
# dem-profile over a real tile: a walk up a flank of Kauai and back,
# recorded from NMEA by nmea-track. Each point's terrain height lies among
# the heights of the four cells around it, the walk climbs as much as it
# descends, and points off the terrain have none.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
require_peer_data dem
require_tools python3
tool="$HIKEWISE_BIN_DIR/hikewise-tool"
hgt="$HIKEWISE_PEER_DATA_DIR/dem/N22W160.hgt"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$tool" dem-import "$hgt" "$work/kauai.dem" > /dev/null
python3 - "$work/walk.nmea" <<'PY'
import sys
def nmea(body):
    c = 0
    for ch in body:
        c ^= ord(ch)
    return "$%s*%02X\r\n" % (body, c)
def deg(v, width):
    a = abs(v); d = int(a); m = (a - d) * 60
    return "%0*d%07.4f" % (width, d, m)
# North up the east flank and back, about 25 m a second;
# the last two points lie beyond the tile.
lats = [22.001 + i * 0.00025 for i in range(480)]
path = [(lat, -159.45) for lat in lats] + [(lat, -159.45) for lat in reversed(lats)]
path += [(21.5, -159.45), (21.5, -159.45 + 0.001)]
out = open(sys.argv[1], "w")
for i, (lat, lon) in enumerate(path):
    t = "%02d%02d%02d.00" % (10 + i // 3600, i // 60 % 60, i % 60)
    ns, ew = ("N" if lat >= 0 else "S"), ("E" if lon >= 0 else "W")
    out.write(nmea("GPGGA,%s,%s,%s,%s,%s,1,08,1.0,%.1f,M,0.0,M,," % (t, deg(lat, 2), ns, deg(lon, 3), ew, 100 + i % 7)))
    out.write(nmea("GPRMC,%s,A,%s,%s,%s,%s,48.6,0.0,100626,," % (t, deg(lat, 2), ns, deg(lon, 3), ew)))
PY
"$tool" nmea-track "$work/walk.nmea" "$work/walk.trk" > /dev/null
"$tool" dem-profile "$work/kauai.dem" "$work/walk.trk" > "$work/profile.jsonl"
python3 - "$hgt" "$work/profile.jsonl" <<'PY'
import json, math, struct, sys
raw = open(sys.argv[1], "rb").read()
cells = struct.unpack(">%dh" % (len(raw) // 2), raw)
lines = [json.loads(l) for l in open(sys.argv[2])]
points, summary = lines[:-1], lines[-1]
assert summary["points"] == len(points) > 900, summary
off = [p for p in points if p["elev"] is None]
assert len(off) == summary["unknown"] == 2, summary
for p in points:
    if p["elev"] is None:
        continue
    # Cell (c, r) of the tile is centred on 23 - r/1200, -160 + c/1200.
    x = (p["lon"] / 1e6 + 160) * 1200
    y = (23 - p["lat"] / 1e6) * 1200
    around = [cells[r * 1201 + c] for r in (math.floor(y), math.ceil(y)) for c in (math.floor(x), math.ceil(x))]
    assert min(around) - 0.06 <= p["elev"] <= max(around) + 0.06, (p, around)
known = [p["elev"] for p in points if p["elev"] is not None]
top = max(known)
assert top - known[0] > 100, (known[0], top)
# Up and down the same way: as much climbed as descended, at least the
# height between the start and the top.
assert summary["ascent"] >= top - known[0] - 20, summary
assert abs(summary["ascent"] - summary["descent"]) <= 0.05 * summary["ascent"], summary
print("profile:", summary)
PY
# A damaged terrain file or track: an error, no profile.
head -c 2000 "$work/kauai.dem" > "$work/cut.dem"
if "$tool" dem-profile "$work/cut.dem" "$work/walk.trk" > /dev/null 2> "$work/err"; then
  echo "cut terrain file read"; exit 1
fi
grep -q damaged "$work/err"
if "$tool" dem-profile "$work/kauai.dem" "$work/missing.trk" > /dev/null 2>&1; then
  echo "missing track read"; exit 1
fi
