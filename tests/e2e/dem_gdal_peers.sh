#!/usr/bin/env bash
# Elevation rasters against GDAL's own tools on the real SRTM tiles: the
# hill shading agrees with gdaldem hillshade, the contours with gdal_contour
# (same levels, same length per level), on geographic and projected rasters;
# DTED and neighbouring tiles import as the whole tile does, voids are
# counted and filled as gdal_fillnodata fills them, each file credits the
# data it was made of, and damaged rasters leave no terrain file.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
require_peer_data dem
require_tools gdaldem gdal_contour gdal_translate gdalwarp gdal_fillnodata.py python3
dem="$HIKEWISE_PEER_DATA_DIR/dem"
tool="$HIKEWISE_BIN_DIR/hikewise-tool"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# PGMs A and B: same size, at least 99.5 % of the pixels within one grey.
compare_shades() {
  python3 - "$1" "$2" "$3" <<'PY'
import sys
def pgm(path):
    data = open(path, "rb").read()
    magic, size, depth, pixels = data.split(b"\n", 3)
    assert magic == b"P5" and depth == b"255", path
    w, h = map(int, size.split())
    assert len(pixels) == w * h, path
    return w, h, pixels
wa, ha, a = pgm(sys.argv[1])
wb, hb, b = pgm(sys.argv[2])
assert (wa, ha) == (wb, hb), f"{sys.argv[3]}: size {wa}x{ha}, gdaldem {wb}x{hb}"
near = sum(1 for x, y in zip(a, b) if abs(x - y) <= 1) / len(a)
print(f"{sys.argv[3]}: {100 * near:.3f} % within one grey level")
assert near >= 0.995, sys.argv[3]
PY
}

# A terrain file's credit, then a digest of the rest: its grid and tiles.
dem_parts() {
  python3 - "$1" <<'PY'
import hashlib, struct, sys
data = open(sys.argv[1], "rb").read()
head = 84  # magic to the number of levels
assert data[:8] == b"HWTERRN\0" and struct.unpack_from("<I", data, 8)[0] == 2, sys.argv[1]
levels = struct.unpack_from("<I", data, head - 4)[0]
filled, n = struct.unpack_from("<QI", data, head)
table = head + 12 + n
print(data[head + 12:table].decode())
print(hashlib.sha256(data[12:head] + data[table + 24 * levels:]).hexdigest())
PY
}

# GeoJSON A and B: the same levels, per level a total length within 1 %.
compare_contours() {
  python3 - "$1" "$2" "$3" <<'PY'
import json, math, sys
def lengths(path):
    total = {}
    for f in json.load(open(path))["features"]:
        assert f["geometry"]["type"] == "LineString", path
        c = f["geometry"]["coordinates"]
        e = float(f["properties"]["elev"])
        total[e] = total.get(e, 0) + sum(math.dist(c[i - 1], c[i]) for i in range(1, len(c)))
    return total
ours, gdal = lengths(sys.argv[1]), lengths(sys.argv[2])
assert sorted(ours) == sorted(gdal), f"{sys.argv[3]}: levels {sorted(ours)} vs {sorted(gdal)}"
worst = max(abs(ours[e] - gdal[e]) / gdal[e] for e in gdal if gdal[e] > 0)
print(f"{sys.argv[3]}: {len(gdal)} levels, worst length difference {100 * worst:.4f} %")
assert worst <= 0.01, sys.argv[3]
PY
}

shade_against_gdaldem() { # name raster tool-options -- gdaldem-options
  local name=$1 raster=$2; shift 2
  local ours=() theirs=()
  while [ "$1" != -- ]; do ours+=("$1"); shift; done
  shift
  theirs=("$@")
  "$tool" dem-shade "$raster" "$work/$name.pgm" "${ours[@]}"
  gdaldem hillshade -q "${theirs[@]}" "$raster" "$work/$name.tif"
  gdal_translate -q -of PNM "$work/$name.tif" "$work/$name.gdal.pgm"
  compare_shades "$work/$name.pgm" "$work/$name.gdal.pgm" "$name"
}

contours_against_gdal() { # name raster interval [base]
  local name=$1 raster=$2 interval=$3 base=${4:-0}
  "$tool" dem-contours "$raster" "$work/$name.geojson" --interval "$interval" --base "$base"
  gdal_contour -q -i "$interval" -off "$base" -a elev -f GeoJSON "$raster" "$work/$name.gdal.geojson"
  compare_contours "$work/$name.geojson" "$work/$name.gdal.geojson" "$name"
}

for tile in N22W160 S16E166; do
  shade_against_gdaldem "$tile" "$dem/$tile.hgt" --scale 111120 -- -s 111120
  contours_against_gdal "$tile-10m" "$dem/$tile.hgt" 10
done
shade_against_gdaldem santo-low "$dem/S16E166.hgt" --scale 111120 --azimuth 200 --altitude 20 --z 3 \
  -- -s 111120 -az 200 -alt 20 -z 3
shade_against_gdaldem kauai-unscaled "$dem/N22W160.hgt" --
contours_against_gdal santo-base "$dem/S16E166.hgt" 100 25

# A projected raster (UTM zone 4 north, 90 m cells): shaded and contoured on
# its own grid in metres, and warped back to degrees by the import.
gdalwarp -q -t_srs EPSG:32604 -tr 90 90 -r bilinear "$dem/N22W160.hgt" "$work/utm-source.tif"
shade_against_gdaldem kauai-utm "$work/utm-source.tif" --
contours_against_gdal kauai-utm "$work/utm-source.tif" 50
"$tool" dem-import "$work/utm-source.tif" "$work/utm.dem" > "$work/utm.json"
python3 - "$work/utm.json" <<'PY'
import json, sys
s = json.load(open(sys.argv[1]))
b = s["bounds"]
# The warped tile still covers Kauai (about 22.2 N, 159.5 W) and its heights.
assert 21.9 < b["minlat"] < 22.1 and 22.9 < b["maxlat"] < 23.1, b
assert -160.1 < b["minlon"] < -159.9 and -159.1 < b["maxlon"] < -158.9, b
assert 1500 < s["max"] < 1600 and s["voids"] > 0, s
PY

# The same tile as SRTM and as DTED, whole and cut into two neighbours
# sharing a column as SRTM tiles do: one and the same terrain file.
"$tool" dem-import "$dem/N22W160.hgt" "$work/whole.dem" > "$work/whole.json"
gdal_translate -q -of DTED "$dem/N22W160.hgt" "$work/kauai.dt1"
"$tool" dem-import "$work/kauai.dt1" "$work/dted.dem" > /dev/null
dem_parts "$work/whole.dem" > "$work/whole.parts"
[ "$(head -1 "$work/whole.parts")" = "NASA/USGS SRTM" ]
dem_parts "$work/dted.dem" > "$work/dted.parts"
[ "$(head -1 "$work/dted.parts")" = kauai.dt1 ]
[ "$(tail -1 "$work/whole.parts")" = "$(tail -1 "$work/dted.parts")" ]
gdal_translate -q -srcwin 0 0 601 1201 "$dem/N22W160.hgt" "$work/west.tif"
gdal_translate -q -srcwin 600 0 601 1201 "$dem/N22W160.hgt" "$work/east.tif"
"$tool" dem-import "$work/east.tif" "$work/west.tif" "$work/joined.dem" > "$work/joined.json"
cmp "$work/whole.json" "$work/joined.json"
dem_parts "$work/joined.dem" > "$work/joined.parts"
[ "$(head -1 "$work/joined.parts")" = "east.tif, west.tif" ]
[ "$(tail -1 "$work/whole.parts")" = "$(tail -1 "$work/joined.parts")" ]
"$tool" dem-list "$work/joined.dem" > "$work/list.json"
cmp "$work/whole.json" "$work/list.json"
grep -q -E '^\{"width":1201,"height":1201,"bounds":\{"minlat":[-0-9.]+,"minlon":[-0-9.]+,"maxlat":[-0-9.]+,"maxlon":[-0-9.]+\},"min":-?[0-9.]+,"max":[0-9.]+,"voids":[0-9]+,"filled":[0-9]+\}$' "$work/list.json"

# SRTM tiles and plain GeoTIFFs are read without GDAL: a copy of the tool
# without the GDAL module beside it imports them as the whole tile above,
# in every layout gdal_translate writes, and refuses a compressed GeoTIFF
# (which the tool with its module reads, to the same file) with a reason.
mkdir -p "$work/alone/bin"
cp "$tool" "$work/alone/bin/"
alone="$work/alone/bin/hikewise-tool"
"$alone" dem-import "$dem/N22W160.hgt" "$work/alone.dem" > /dev/null
cmp "$work/whole.dem" "$work/alone.dem"
variants=("" "-co TILED=YES -co BLOCKXSIZE=256 -co BLOCKYSIZE=128" "-co ENDIANNESS=BIG"
  "-ot Float32 -co TILED=YES" "-ot Int32 -co BLOCKYSIZE=7" "-mo AREA_OR_POINT=Area")
for v in "${variants[@]}"; do
  # The TIFF's own credit is the terrain file's.
  # shellcheck disable=SC2086
  gdal_translate -q $v -mo "TIFFTAG_COPYRIGHT=NASA/USGS SRTM" "$dem/N22W160.hgt" "$work/variant.tif"
  "$alone" dem-import "$work/variant.tif" "$work/variant.dem" > /dev/null || {
    echo "plain GeoTIFF ($v) needed GDAL"; exit 1
  }
  cmp "$work/whole.dem" "$work/variant.dem" || { echo "plain GeoTIFF ($v) differs"; exit 1; }
  "$alone" dem-shade "$work/variant.tif" "$work/variant.pgm" --scale 111120
  "$tool" dem-shade "$dem/N22W160.hgt" "$work/hgt.pgm" --scale 111120
  cmp "$work/hgt.pgm" "$work/variant.pgm" || { echo "shading of GeoTIFF ($v) differs"; exit 1; }
done
gdal_translate -q -co COMPRESS=DEFLATE -mo "TIFFTAG_COPYRIGHT=NASA/USGS SRTM" \
  "$dem/N22W160.hgt" "$work/deflate.tif"
if "$alone" dem-import "$work/deflate.tif" "$work/deflate.dem" 2> "$work/err"; then
  echo "a compressed GeoTIFF imported without GDAL"; exit 1
fi
grep -q "cannot read the raster $work/deflate.tif: the GDAL module is not installed" "$work/err"
[ ! -e "$work/deflate.dem" ]
"$tool" dem-import "$work/deflate.tif" "$work/deflate.dem" > /dev/null
cmp "$work/whole.dem" "$work/deflate.dem"

# A full disk while the shading is written (file size limit of 1 MB; the
# shell ignores the signal that would kill the tool instead): an error, the
# earlier image as it was, no temporary file beside it.
mkdir -p "$work/full"
"$tool" dem-shade "$dem/S16E166.hgt" "$work/full/santo.pgm"
cp "$work/full/santo.pgm" "$work/santo-kept.pgm"
if (trap '' XFSZ; ulimit -f 1024; "$tool" dem-shade "$dem/N22W160.hgt" "$work/full/santo.pgm" --scale 111120) 2> "$work/err"; then
  echo "dem-shade succeeded on a full disk"; exit 1
fi
grep -q "cannot write $work/full/santo.pgm" "$work/err"
cmp "$work/santo-kept.pgm" "$work/full/santo.pgm"
[ "$(ls "$work/full")" = santo.pgm ]

# Voids: as many as the tile's cells of -32768; filled for drawing as
# gdal_fillnodata fills them (100 cells out, no smoothing), within 1 m on
# 99 % of the cells, the same ones left void.
for tile in N22W160 N43E007 S16E166; do
  "$tool" dem-import "$dem/$tile.hgt" "$work/$tile.dem" > "$work/$tile.json"
  gdal_translate -q -ot Float32 "$dem/$tile.hgt" "$work/$tile-float.tif"
  gdal_fillnodata.py -q "$work/$tile-float.tif" "$work/$tile-filled.tif"
  gdal_translate -q -of ENVI "$work/$tile-filled.tif" "$work/$tile-filled.raw"
  python3 - "$dem/$tile.hgt" "$work/$tile.json" "$work/$tile.dem" "$work/$tile-filled.raw" "$tile" <<'PY'
import array, json, math, struct, sys
raw = open(sys.argv[1], "rb").read()
cells = struct.unpack(">%dh" % (len(raw) // 2), raw)
side = math.isqrt(len(cells))
s = json.load(open(sys.argv[2]))
known = [c for c in cells if c != -32768]
assert s["voids"] == len(cells) - len(known), (s["voids"], len(cells) - len(known))
assert s["min"] == min(known) and s["max"] == max(known), s
# The full level of the terrain file, tile by tile.
data = open(sys.argv[3], "rb").read()
credit = struct.unpack_from("<I", data, 84 + 8)[0]
tile = struct.unpack_from("<I", data, 76)[0]
width, _, heights_at = struct.unpack_from("<IIQ", data, 84 + 12 + credit)
across = (width + tile - 1) // tile
def ours(c, r):
    t = (r // tile) * across + c // tile
    return struct.unpack_from("<f", data, heights_at + 4 * (t * tile * tile + (r % tile) * tile + c % tile))[0]
gdal = array.array("f")
gdal.frombytes(open(sys.argv[4], "rb").read())
voids = [i for i, c in enumerate(cells) if c == -32768]
filled = [i for i in voids if not math.isnan(ours(i % side, i // side))]
assert s["filled"] == len(filled), (s["filled"], len(filled))
assert filled == [i for i in voids if gdal[i] != -32768], "other cells left void than gdal_fillnodata"
near = sum(1 for i in filled if abs(ours(i % side, i // side) - gdal[i]) <= 1) / max(1, len(filled))
print(f"{sys.argv[5]}: {len(voids)} voids, {len(filled)} filled, {100 * near:.3f} % within 1 m of gdal_fillnodata")
assert near >= 0.99, sys.argv[5]
PY
done

# Damaged rasters: an error that names the file, and no terrain file (an
# earlier one stays as it was).
# A GeoTIFF placed far off the earth (its cells a million degrees wide) is
# refused at import; the one the fuzzer found, with strips over its header,
# is no raster at all.
head -c 1000000 "$dem/S16E166.hgt" > "$work/S16E166.hgt"
head -c 5000 /dev/urandom > "$work/noise.tif"
gdal_translate -q -a_ullr 0 1e6 1e6 0 "$dem/S16E166.hgt" "$work/far.tif"
cp "$(dirname "$0")/../../tools/fuzz/corpus/geotiff_raster_fuzzer/geotiff-off-the-earth.tif" "$work/fuzz.tif"
cp "$work/whole.dem" "$work/kept.dem"
for bad in "$work/S16E166.hgt|cannot read the raster" "$work/noise.tif|cannot read the raster" \
  "$work/missing.hgt|cannot read the raster" "$work/far.tif|is placed off the earth" \
  "$work/fuzz.tif|cannot read the raster"; do
  why=${bad#*|} bad=${bad%|*}
  if "$tool" dem-import "$bad" "$work/bad.dem" 2> "$work/err"; then
    echo "$bad imported"; exit 1
  fi
  grep -q -e "cannot read the raster $bad" -e "the raster $bad $why" "$work/err" || {
    cat "$work/err"; exit 1
  }
  grep -q "$why" "$work/err"
  [ ! -e "$work/bad.dem" ]
  if "$tool" dem-import "$dem/N22W160.hgt" "$bad" "$work/kept.dem" 2> /dev/null; then
    echo "$bad joined"; exit 1
  fi
  cmp "$work/whole.dem" "$work/kept.dem"
  # Shading works on the raster where it lies, off the earth or not.
  [ "$bad" = "$work/far.tif" ] && continue
  if "$tool" dem-shade "$bad" "$work/bad.pgm" 2> /dev/null; then
    echo "$bad shaded"; exit 1
  fi
  [ ! -e "$work/bad.pgm" ]
done
head -c 3000 "$work/whole.dem" > "$work/cut.dem"
if "$tool" dem-list "$work/cut.dem" 2> "$work/err"; then
  echo "cut terrain file listed"; exit 1
fi
grep -q "damaged" "$work/err"
# Options that make no sense are refused before any work.
for args in "--interval 0" "--interval x" "--interval 1e-9" "--interval 10 --bogus 1"; do
  # shellcheck disable=SC2086
  if "$tool" dem-contours "$dem/N22W160.hgt" "$work/c.geojson" $args 2> /dev/null; then
    echo "dem-contours $args accepted"; exit 1
  fi
done
echo "all agree"
