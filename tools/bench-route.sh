#!/usr/bin/env bash
# Route searches timed by route --pairs (snapping and search of each route,
# not the reading), each route's best of three runs: 1,000 random pairs over Monaco's walking network with
# the SRTM tile under it, and 50-km pairs over a synthetic network of two
# million way nodes, both modes each. Prints the share of pairs routed and
# the median, 95th percentile and largest time, and the synthetic network's
# routing memory per way node.
#   tools/bench-route.sh [BUILD_DIR] [WAY_NODES]
set -euo pipefail
BUILD=${1:-build}
WAY_NODES=${2:-2000000}
BIN=$BUILD/bin
PEER=${HIKEWISE_PEER_DATA_DIR:-$(dirname "$0")/../../shared/peer-data}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
SYNTH=$(find "$BUILD" -name hikewise-route-synth -type f -perm -u+x | head -1)

# Each route's least time over the runs given, so that a run the machine's
# other work held up counts as little as it can.
figures() { # NAME PAIRS-OUTPUT...
  python3 - "$@" <<'PY'
import json, sys
runs = [[json.loads(l) for l in open(f)] for f in sys.argv[2:]]
rows = runs[0]
ms = sorted(min(run[i]["ms"] for run in runs) for i, r in enumerate(rows) if "ms" in r)
pick = lambda q: ms[min(len(ms) - 1, int(q * len(ms)))]
print(f"  {sys.argv[1]:<28} routed {len(ms)}/{len(rows)}   p50 {pick(0.5):7.3f} ms   "
      f"p95 {pick(0.95):7.3f} ms   max {ms[-1]:7.3f} ms")
PY
}

"$BIN/hikewise-tool" dem-import "$PEER/dem/N43E007.hgt" "$WORK/N43E007.dem" > /dev/null
"$BIN/hikewise-tool" map-import "$PEER/osm/monaco.osm.pbf" "$WORK/monaco.map" \
  --terrain "$WORK/N43E007.dem" > /dev/null
awk 'BEGIN { srand(41); for (i = 0; i < 1000; i++)
  printf "%.6f,%.6f %.6f,%.6f\n", 43.725 + rand() * 0.027, 7.409 + rand() * 0.031,
    43.725 + rand() * 0.027, 7.409 + rand() * 0.031 }' > "$WORK/monaco.pairs"
echo "Monaco, 1000 random pairs:"
for mode in shortest hiking; do
  for run in 1 2 3; do
    "$BIN/hikewise-tool" route "$WORK/monaco.map" --pairs "$WORK/monaco.pairs" --mode "$mode" \
      > "$WORK/out$run.json"
  done
  figures "$mode" "$WORK"/out?.json
done

echo "Synthetic network, $WAY_NODES way nodes, 50-km pairs:"
"$SYNTH" "$WORK/synth.map" "$WORK/synth.pairs" --way-nodes "$WAY_NODES" --pairs 300 --km 50 \
  | sed 's/^/  /'
for mode in shortest hiking; do
  for sac in 6 3; do
    for run in 1 2 3; do
      "$BIN/hikewise-tool" route "$WORK/synth.map" --pairs "$WORK/synth.pairs" --mode "$mode" \
        --max-sac "$sac" > "$WORK/out$run.json"
    done
    figures "$mode --max-sac $sac" "$WORK"/out?.json
  done
done
