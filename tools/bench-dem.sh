#!/usr/bin/env bash
# Times hikewise-tool dem-shade against gdaldem hillshade (Debian's gdal-bin)
# on a 3601 x 3601 tile made from a peer SRTM3 tile, whole processes, same
# run; the same for the tile as .hgt and compressed (read through GDAL);
# then dem-import of that tile. Prints best-of-three wall and processor
# times (user + system) and the ratios.
#   tools/bench-dem.sh [BUILD_DIR]
set -euo pipefail
. "$(dirname "$0")/bench-common.sh"
BIN=${1:-build}/bin
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
tile=$WORK/N22W160-1s.tif
bench_dem_tile "$tile"
echo "input: $(gdalinfo "$tile" | grep '^Size is'), $(stat -c %s "$tile") bytes"

best() { # name command... : sets best_wall, best_cpu
  local name=$1; shift
  bench_best /dev/null "$@"
  printf '%-28s wall %6.3f s   cpu %6.3f s\n' "$name" "$best_wall" "$best_cpu"
}

best "hikewise-tool dem-shade" "$BIN/hikewise-tool" dem-shade "$tile" "$WORK/ours.pgm" --scale 111120
ours_wall=$best_wall ours_cpu=$best_cpu
best "gdaldem hillshade" gdaldem hillshade -q -s 111120 "$tile" "$WORK/gdal.tif"
awk -v ow="$ours_wall" -v oc="$ours_cpu" -v gw="$best_wall" -v gc="$best_cpu" \
  'BEGIN { printf "dem-shade is %.1f x faster (wall), %.1f x (cpu)\n", gw / ow, gc / oc }'
# The same tile as an SRTM tile (read directly too) and compressed (read
# through GDAL's module), for the cost of each path.
gdal_translate -q -of SRTMHGT "$tile" "$WORK/N22W160.hgt" 2> /dev/null
gdal_translate -q -co COMPRESS=DEFLATE "$tile" "$WORK/deflate.tif"
best "dem-shade of the .hgt" "$BIN/hikewise-tool" dem-shade "$WORK/N22W160.hgt" "$WORK/hgt.pgm" --scale 111120
best "dem-shade, DEFLATE via GDAL" "$BIN/hikewise-tool" dem-shade "$WORK/deflate.tif" "$WORK/deflate.pgm" --scale 111120
best "gdaldem of the DEFLATE tile" gdaldem hillshade -q -s 111120 "$WORK/deflate.tif" "$WORK/gdal2.tif"
best "hikewise-tool dem-import" "$BIN/hikewise-tool" dem-import "$tile" "$WORK/tile.dem"
echo "terrain file: $(stat -c %s "$WORK/tile.dem") bytes"
