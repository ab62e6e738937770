#!/usr/bin/env bash
# tools/readme-shots.sh still makes the README's three pictures: PNGs of the
# window's size, each at most 150 KB, written to a scratch folder (the
# committed ones are left alone); the committed ones keep the same limit.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
require_tools rgb2pct.py python3
fail() { echo "FAIL: $*" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
before=$(cd "$HIKEWISE_SOURCE_DIR/docs/images" && sha256sum ./*.png)
"$HIKEWISE_SOURCE_DIR/tools/readme-shots.sh" "$out" > "$out/log" 2>&1 ||
  fail "readme-shots.sh: $(cat "$out/log")"
for name in map gps trip; do
  for png in "$out/demo-$name.png" "$HIKEWISE_SOURCE_DIR/docs/images/demo-$name.png"; do
    [ -f "$png" ] || fail "no $png"
    [ "$(stat -c %s "$png")" -le 153600 ] || fail "$png is over 150 KB"
    # The PNG header's width and height: the window's 800 x 480.
    size=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print(*struct.unpack(">II", d[16:24]))' "$png")
    [ "$size" = "800 480" ] || fail "$png is $size, not 800 480"
  done
  grep -q "(docs/images/demo-$name.png)" "$HIKEWISE_SOURCE_DIR/README.md" ||
    fail "the README does not show demo-$name.png"
done
[ "$(cd "$HIKEWISE_SOURCE_DIR/docs/images" && sha256sum ./*.png)" = "$before" ] ||
  fail "the committed pictures were overwritten"
echo "readme-shots.sh makes the three pictures"
