#!/usr/bin/env bash
# Our commands against their peers, in one go, each pair on the same input
# one right after the other, nothing else in between:
#   nmea-decode --changes  gpsd's gpsdecode    the peer NMEA logs, ~60 MB
#   wpt-import             Expat's xmlwf       pocket queries of 10,000 and
#                                              100,000 caches, into a new
#                                              database (GPSBabel's read of
#                                              the same file for information)
#   dem-shade              gdaldem hillshade   a 3601 x 3601 tile
#   map-import             osmium export       4 renumbered copies of Monaco
# One line per row: the best of three wall times of both, the processor
# times, and the ratio ours / peer (lower is better). Each ratio is compared
# with its baseline in tools/bench-baseline.json: one more than 25 % above
# it is printed as a regression and the script exits 1. Run it before and
# after a change to a hot path, on a machine as idle as it gets.
#   tools/bench-peers.sh [BUILD_DIR] [--write-baseline]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/bench-common.sh"
build=$here/../build
write_baseline=
for a in "$@"; do
  case $a in
    --write-baseline) write_baseline=1 ;;
    *) build=$a ;;
  esac
done
bin=$build/bin
baseline=$here/bench-baseline.json
work=$(mktemp -d "${TMPDIR:-/tmp}/hikewise-peers.XXXXXX")
trap 'rm -rf "$work"' EXIT
for tool in gpsdecode xmlwf gpsbabel gdaldem gdal_translate osmium /usr/bin/time; do
  command -v "$tool" > /dev/null || { echo "bench-peers: $tool is missing (build.sh installs it)" >&2; exit 1; }
done
for program in hikewise-tool bench_import_stream; do
  [ -x "$bin/$program" ] || { echo "bench-peers: $bin/$program is not built" >&2; exit 1; }
done

echo "load: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
regressions=0
ratios=()

# The baseline ratio of a row, empty when it has none.
baseline_of() { # KEY
  [ -f "$baseline" ] || return 0
  grep -o "\"$1\": *[0-9.]*" "$baseline" | sed 's/.*: *//'
}

# Times ours and the peer (each: IN command...; the two joined by a lone
# "--") and prints the row.
row() { # KEY LABEL GOAL IN OURS... -- IN PEER...
  local key=$1 label=$2 goal=$3
  shift 3
  local ours=() peer=()
  while [ "$1" != "--" ]; do ours+=("$1"); shift; done
  shift
  peer=("$@")
  bench_best "${ours[@]}"
  local ours_wall=$best_wall ours_cpu=$best_cpu
  row_ours_wall=$best_wall
  bench_best "${peer[@]}"
  local ratio base verdict=
  ratio=$(awk -v o="$ours_wall" -v p="$best_wall" 'BEGIN { printf "%.3f", o / p }')
  base=$(baseline_of "$key")
  if [ -n "$base" ] && awk -v r="$ratio" -v b="$base" 'BEGIN { exit !(r > b * 1.25) }'; then
    verdict="  regression (baseline $base)"
    regressions=$((regressions + 1))
  elif [ -n "$base" ]; then
    verdict="  (baseline $base)"
  fi
  printf '%-40s ours %7.3f s (cpu %7.3f)   peer %7.3f s (cpu %7.3f)   ratio %6.3f%s%s\n' \
    "$label" "$ours_wall" "$ours_cpu" "$best_wall" "$best_cpu" "$ratio" "${goal:+  goal <= $goal}" \
    "$verdict"
  ratios+=("\"$key\": $ratio")
}

# Our command's time against a peer that is shown for information only.
info() { # LABEL OURS_WALL IN PEER...
  local label=$1 ours_wall=$2
  shift 2
  bench_best "$@"
  printf '%-40s ours %7.3f s   peer %7.3f s (cpu %7.3f)   ratio %6.3f  (information)\n' "$label" \
    "$ours_wall" "$best_wall" "$best_cpu" "$(awk -v o="$ours_wall" -v p="$best_wall" 'BEGIN { printf "%.3f", o / p }')"
}

# NMEA decoding.
bench_nmea_log "$work/log.nmea"
row nmea-decode "nmea-decode --changes / gpsdecode" 0.1 \
  "$work/log.nmea" "$bin/hikewise-tool" nmea-decode --changes - -- "$work/log.nmea" gpsdecode
rm -f "$work/log.nmea"

# Pocket query imports into a new database (load, import, save).
for caches in 10000 100000; do
  pq=$work/pq.gpx db=$work/new.wpt
  "$bin/bench_import_stream" --write "$pq" "$caches"
  key=import-$((caches / 1000))k
  row "$key" "wpt-import $caches caches / xmlwf" 1.5 \
    /dev/null sh -c 'rm -f "$1"; exec "$2" wpt-import "$1" "$3"' sh "$db" "$bin/hikewise-tool" "$pq" \
    -- /dev/null xmlwf "$pq"
  info "wpt-import $caches caches / gpsbabel read" "$row_ours_wall" /dev/null gpsbabel -i gpx -f "$pq"
  rm -f "$pq" "$db"
done

# Hill shading of a one-second tile.
bench_dem_tile "$work/tile.tif"
row dem-shade "dem-shade / gdaldem hillshade" "" \
  /dev/null "$bin/hikewise-tool" dem-shade "$work/tile.tif" "$work/ours.pgm" --scale 111120 \
  -- /dev/null gdaldem hillshade -q -s 111120 "$work/tile.tif" "$work/gdal.tif"
rm -f "$work"/*.tif "$work"/*.pgm

# Road map import.
bench_map_extract "$work/extract.osm.pbf" 4
row map-import "map-import / osmium export" "" \
  /dev/null "$bin/hikewise-tool" map-import "$work/extract.osm.pbf" "$work/out.map" \
  -- /dev/null osmium export --no-progress -f geojsonseq -O -o "$work/out.geojsonseq" "$work/extract.osm.pbf"

if [ -n "$write_baseline" ]; then
  {
    echo "{"
    echo "  \"note\": \"wall time ours / peer, best of three, as tools/bench-peers.sh measures it\","
    for ((i = 0; i < ${#ratios[@]}; i++)); do
      printf '  %s%s\n' "${ratios[$i]}" "$([ $i -lt $((${#ratios[@]} - 1)) ] && echo ,)"
    done
    echo "}"
  } > "$baseline"
  echo "baseline written: $baseline"
fi
[ "$regressions" -eq 0 ] || { echo "$regressions regression(s)"; exit 1; }
