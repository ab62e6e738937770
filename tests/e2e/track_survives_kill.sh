#!/usr/bin/env bash
# A walk survives the end of the program: SIGTERM, SIGINT and SIGHUP save the
# whole track as closing does, and after a kill -9 the periodic save has left
# a whole track file holding the walk up to its last save. The interval is
# shortened with HIKEWISE_TRACK_SAVE_MS; the walk is the bundled demo log,
# named with --replay as a user's own log would be, at a speed (100) whose
# bursts stay within the fix history.
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
export HOME=$work/home # nothing of the user's is touched
mkdir -p "$HOME"

# The track the map records from the log.
"$bin/hikewise-tool" nmea-track "$log" "$work/ref.trk" >/dev/null
"$bin/hikewise-tool" trk-list "$work/ref.trk" > "$work/ref.txt"
expected=$(wc -l < "$work/ref.txt")
[ "$expected" -gt 100 ] || fail "the reference track has $expected points"

start() { # TRACK SAVE_MS SPEED
  HIKEWISE_TRACK_SAVE_MS=$2 "$bin/hikewise" --settings "$work/s.conf" --database "$work/db.wpt" \
    --track "$1" --replay "$log" --replay-speed "$3" 2> "$work/err" &
  pid=$!
}
# The points of a track file in $n (its list in now.txt); fails on a file
# that is not a whole track.
points() {
  n=0
  : > "$work/now.txt"
  [ -f "$1" ] || return 0
  local size
  size=$(stat -c %s "$1")
  [ $(((size - 4) % 20)) -eq 0 ] || fail "$1 is cut: $size bytes"
  "$bin/hikewise-tool" trk-list "$1" > "$work/now.txt" || fail "$1 does not read"
  n=$(wc -l < "$work/now.txt")
}
# Waits (up to 120 s) until the file holds N points, checking it each time.
wait_points() { # FILE N
  local end=$((SECONDS + 120))
  while points "$1"; [ "$n" -lt "$2" ]; do
    kill -0 "$pid" 2>/dev/null || fail "the program ended early: $(cat "$work/err")"
    [ "$SECONDS" -lt "$end" ] || fail "$1 holds $n of $2 points"
    sleep 0.2
  done
}

# kill -9 in the middle of the walk: the file is whole and holds the first
# points of the walk, as far as the last periodic save.
start "$work/mid.trk" 300 5
wait_points "$work/mid.trk" 20
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
pid=
points "$work/mid.trk"
[ "$n" -ge 20 ] && [ "$n" -lt "$expected" ] || fail "after kill -9 mid-walk: $n points"
head -n "$n" "$work/ref.txt" | cmp -s - "$work/now.txt" || fail "the saved points are not the walk's first $n"

# kill -9 once the walk is over: nothing but the walk is lost.
start "$work/full.trk" 300 100
wait_points "$work/full.trk" "$expected"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
pid=
points "$work/full.trk"
[ "$n" -eq "$expected" ] || fail "after kill -9: $n points"
cmp -s "$work/ref.txt" "$work/now.txt" || fail "the saved walk differs from the log's"

# The signals of a logout, Ctrl+C and a closed terminal save as closing does:
# the file removed after the last periodic save comes back whole.
for sig in TERM INT HUP; do
  start "$work/$sig.trk" 300 100
  wait_points "$work/$sig.trk" "$expected"
  rm "$work/$sig.trk"
  kill -"$sig" "$pid"
  status=0
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "SIG$sig: exit status $status ($(cat "$work/err"))"
  points "$work/$sig.trk"
  [ "$n" -eq "$expected" ] || fail "SIG$sig left $n points"
done
echo "the walk survives kills"
