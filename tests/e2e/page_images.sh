#!/usr/bin/env bash
# The committed page pictures are exactly what tools/page-images draws.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$HIKEWISE_BIN_DIR/page-images" "$out"
count=0
for f in "$out"/*.gif; do
  cmp "$f" "$HIKEWISE_SOURCE_DIR/resources/templates/$(basename "$f")"
  count=$((count + 1))
done
[ "$count" -eq 19 ] || { echo "expected 19 pictures, drew $count"; exit 1; }
echo "page pictures match ($count)"
