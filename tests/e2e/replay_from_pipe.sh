#!/usr/bin/env bash
# A replay from a pipe or a FIFO never holds up the window: the picture of
# --after 3 comes while the command behind the pipe has not written yet, a
# FIFO without a writer opens the window, and SIGTERM ends the program in
# order while it waits.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }
bin=$HIKEWISE_BIN_DIR
log=$HIKEWISE_SOURCE_DIR/resources/demo/demo.nmea
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen
export HOME=$work/home
mkdir -p "$HOME"
run=(--settings "$work/s.conf" --database "$work/db.wpt" --track "$work/t.trk")

# Whether the window is up and listens: the program sets its SIGTERM handler
# once the replay source is open.
listening() { # PID
  local mask
  mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || return 1
  [ -n "$mask" ] && (((0x$mask >> 14) & 1))
}
# Whether the process has ended (a zombie until it is waited for).
ended() { # PID
  local state
  state=$(awk '/^State:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || true
  [ -z "$state" ] || [ "$state" = Z ]
}

# 1. The writer waits for the picture before it writes: a program that read
# the pipe on its UI thread would wait for the writer, which gives up after a
# minute and says so.
shot=$work/pipe.png
status=0
timeout 120 "$bin/hikewise" "${run[@]}" --screenshot "$shot" --after 3 \
  --replay <(if wait_until 60 test -s "$shot"; then cat "$log"; else : >"$work/gave-up"; fi) \
  2>"$work/err" || status=$?
[ "$status" -eq 0 ] || fail "replay from a pipe: exit status $status ($(cat "$work/err"))"
[ ! -e "$work/gave-up" ] || fail "replay from a pipe: no picture until the pipe was closed"
[ -s "$shot" ] || fail "replay from a pipe: no picture"

# 2. A FIFO that nobody writes: the window opens and gives its picture.
mkfifo "$work/fifo"
status=0
timeout 60 "$bin/hikewise" "${run[@]}" --screenshot "$work/fifo.png" --after 1 \
  --replay "$work/fifo" 2>"$work/err" || status=$?
[ "$status" -eq 0 ] || fail "replay from a FIFO without a writer: exit status $status"
[ -s "$work/fifo.png" ] || fail "replay from a FIFO without a writer: no picture"

# 3. SIGTERM while the FIFO is silent closes the program in order.
"$bin/hikewise" "${run[@]}" --replay "$work/fifo" 2>"$work/err" &
pid=$!
wait_until 60 listening "$pid" || fail "the window never opened over the FIFO"
kill -TERM "$pid"
status=0
wait_until 60 ended "$pid" || fail "SIGTERM did not end the program"
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "SIGTERM: exit status $status ($(cat "$work/err"))"
echo "a replay from a pipe keeps the window live"
