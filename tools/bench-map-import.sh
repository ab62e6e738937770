#!/usr/bin/env bash
# How map-import grows with the extract: the Monaco extract and extracts of
# 2, 4 and 8 copies of it (each copy renumbered by osmium, then merged, so
# that every copy is imported again), each timed against osmium export to
# GeoJSON sequences of the same file, which assembles the same areas, in the
# same run. Prints wall and processor time (user + system) and the largest
# resident memory of both, the ratio of the times, and the import's time and
# memory per copy, which stay about level when both grow linearly.
#   tools/bench-map-import.sh [BUILD_DIR] [COPIES...]
set -euo pipefail
. "$(dirname "$0")/bench-common.sh"
BIN=${1:-build}/bin
shift || true
COPIES=("$@")
[ ${#COPIES[@]} -eq 0 ] && COPIES=(1 2 4 8)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

measure() { # NAME command... : prints one line, sets wall and rss
  local name=$1; shift
  bench_best /dev/null "$@"
  printf '  %-22s wall %7.3f s   cpu %7.3f s   max resident %8d KB\n' "$name" "$best_wall" \
    "$best_cpu" "$best_rss"
  wall=$best_wall rss=$best_rss
}

for n in "${COPIES[@]}"; do
  extract=$WORK/copies-$n.osm.pbf
  bench_map_extract "$extract" "$n"
  echo "$n x Monaco: $(stat -c %s "$extract") bytes"
  measure "hikewise-tool map-import" "$BIN/hikewise-tool" map-import "$extract" "$WORK/out.map"
  ours_wall=$wall ours_rss=$rss
  measure "osmium export" osmium export --no-progress -f geojsonseq -O -o "$WORK/out.geojsonseq" \
    "$extract"
  awk -v o="$ours_wall" -v g="$wall" -v r="$ours_rss" -v n="$n" 'BEGIN {
    printf "  map-import / osmium export %.2f; per copy %.3f s, %d KB\n", o / g, o / n, r / n }'
  rm -f "$extract" "$WORK/out.map" "$WORK/out.geojsonseq"
done
