#!/usr/bin/env bash
# Paint times of the map page at 1920x1080 (hikewise --frame-times 100) with
# ten shown courses of 10,000 points each in the courses folder and an
# eleventh followed (--follow) over a simulated walk along it.
#   tools/bench-courses.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$here/build}/bin
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home
mkdir -p "$HOME/Documents/Hikewise/Courses"

# Winding courses around the simulator's start, and the walk's route.
python3 - "$HOME/Documents/Hikewise/Courses" "$work" <<'PY'
import math, sys
folder, work = sys.argv[1], sys.argv[2]
lat0, lon0 = 22.2394, 114.2383
def course(k, n=10000):
    pts = []
    for i in range(n):
        t = i / n * 2 * math.pi
        r = 0.004 + 0.0015 * k + 0.0004 * math.sin(37 * t)
        pts.append((lat0 + r * math.sin(t + k), lon0 + r * math.cos(t + k), 100 + 50 * math.sin(5 * t)))
    return pts
for k in range(10):
    body = "".join('<trkpt lat="%.7f" lon="%.7f"><ele>%.1f</ele></trkpt>' % p for p in course(k))
    open("%s/course%d.gpx" % (folder, k), "w").write(
        '<?xml version="1.0"?><gpx version="1.1" creator="bench"><trk><name>Course %d</name>'
        '<trkseg>%s</trkseg></trk></gpx>' % (k, body))
line = [(lat0 + i * 0.00005, lon0 + i * 0.00005, 100) for i in range(10000)]
open(work + "/followed.gpx", "w").write(
    '<gpx version="1.1"><trk><name>Followed</name><trkseg>%s</trkseg></trk></gpx>' %
    "".join('<trkpt lat="%.7f" lon="%.7f"><ele>%.1f</ele></trkpt>' % p for p in line))
open(work + "/route.txt", "w").write("".join("%.7f %.7f %.1f\n" % p for p in line[:2000:100]))
PY
"$bin/hikewise-nmea-sim" --route "$work/route.txt" --seed 1 --output "$work/walk.nmea"
printf '%-40s ' "map page, 10 courses + 1 followed"
"$bin/hikewise" --settings "$work/bench.conf" --size 1920x1080 --page 3 --zoom 9 --north-up \
  --track "$work/t.trk" --database "$work/d.wpt" --follow "$work/followed.gpx" \
  --replay "$work/walk.nmea" --replay-speed 20 --after 3 --frame-times 100 2>/dev/null
