#!/usr/bin/env bash
# Times the build's making of the demo's terrain and map (the two imports of
# resources/CMakeLists.txt on the bundled extract and elevation), which the
# build may lengthen by 5 seconds at most. Prints best-of-three wall and
# processor times, the peak memory and the files' sizes.
#   tools/bench-demo-data.sh [BUILD_DIR]
set -euo pipefail
. "$(dirname "$0")/bench-common.sh"
BIN=${1:-build}/bin
DEMO=$(cd "$(dirname "$0")/../resources/demo" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
total=0
step() { # name command...
  local name=$1
  shift
  bench_best /dev/null "$@"
  printf '%-24s wall %6.3f s   cpu %6.3f s   peak %6d KB\n' "$name" "$best_wall" "$best_cpu" "$best_rss"
  total=$(awk -v a="$total" -v b="$best_wall" 'BEGIN { print a + b }')
}
step "demo dem-import" "$BIN/hikewise-tool" dem-import "$DEMO/monaco.tif" "$WORK/monaco.dem"
step "demo map-import" "$BIN/hikewise-tool" map-import "$DEMO/monaco.osm.pbf" "$WORK/monaco.map" \
  --terrain "$WORK/monaco.dem"
echo "demo data: $total s of wall time (at most 5 s); terrain $(stat -c %s "$WORK/monaco.dem") bytes, map $(stat -c %s "$WORK/monaco.map") bytes"
