#!/usr/bin/env bash
# The fixscope program with a simulated receiver on a pseudo-terminal: it
# opens the port, shows both pages and runs the scan, writing screenshots.
set -euo pipefail
bin=${HIKEWISE_BIN_DIR:?}
out=$(mktemp -d)
receiver_pid=
cleanup() {
  [ -n "$receiver_pid" ] && kill "$receiver_pid" 2>/dev/null || true
  rm -rf "$out"
}
trap cleanup EXIT

"$bin/fixscope" --help | grep -q -- "--ports"

"$bin/fixscope-receiver" >"$out/device" 2>"$out/received" &
receiver_pid=$!
# Waits for the receiver to name its device (a minute at most, against hangs).
for _ in $(seq 1200); do [ -s "$out/device" ] && break; sleep 0.05; done
device=$(head -n1 "$out/device")
[ -e "$device" ] || { echo "no pseudo-terminal from fixscope-receiver"; exit 1; }

export QT_QPA_PLATFORM=offscreen
# Each picture is taken once it shows what it is for: the receiver's fix,
# the finished scan.
for page in setup status; do
  "$bin/fixscope" --ports "4=$device" --port 4 --open --page "$page" \
    --screenshot "$out/$page.png" --when fix
done
"$bin/fixscope" --ports "2=$device" --scan --screenshot "$out/scan.png" --when scanned

for shot in setup status scan; do
  # A PNG of a sensible size (larger than an empty window).
  head -c 8 "$out/$shot.png" | od -An -tx1 | grep -q "89 50 4e 47 0d 0a 1a 0a"
  [ "$(stat -c %s "$out/$shot.png")" -gt 4000 ] || { echo "$shot.png too small"; exit 1; }
done

# Bad arguments are refused.
if "$bin/fixscope" --port 11 --screenshot "$out/x.png" 2>/dev/null; then
  echo "--port 11 accepted"; exit 1
fi
if "$bin/fixscope" --when never --screenshot "$out/x.png" 2>/dev/null; then
  echo "--when never accepted"; exit 1
fi
for after in 3e6 inf nan -1; do
  if "$bin/fixscope" --after "$after" --screenshot "$out/x.png" 2>/dev/null; then
    echo "--after $after accepted"; exit 1
  fi
done
echo "ok"
