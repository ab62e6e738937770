#!/usr/bin/env bash
# The first walk on a new account is kept: the periodic track save makes the
# documents folder it writes into. A fresh home, a replayed walk, kill -9
# once the save has landed: the track file holds the walk's first points.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }
bin=$HIKEWISE_BIN_DIR
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen
export HOME=$work/home # a new account: no Documents folder yet
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_DOCUMENTS_DIR
mkdir -p "$HOME"
cp "$HIKEWISE_SOURCE_DIR/resources/demo/demo.nmea" "$work/walk.nmea"
"$bin/hikewise-tool" nmea-track "$work/walk.nmea" "$work/ref.trk" >/dev/null
"$bin/hikewise-tool" trk-list "$work/ref.trk" > "$work/ref.txt"

track=$HOME/Documents/Hikewise/track.trk
HIKEWISE_TRACK_SAVE_MS=2000 "$bin/hikewise" --replay "$work/walk.nmea" 2> "$work/err" &
pid=$!
saved() {
  kill -0 "$pid" 2>/dev/null || fail "the program ended: $(cat "$work/err")"
  [ -s "$track" ] && "$bin/hikewise-tool" trk-list "$track" > "$work/now.txt" 2>/dev/null &&
    [ -s "$work/now.txt" ]
}
wait_until 120 saved || fail "no track file in $HOME/Documents/Hikewise after 120 s"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
pid=
"$bin/hikewise-tool" trk-list "$track" > "$work/now.txt" || fail "the track file does not read"
n=$(wc -l < "$work/now.txt")
[ "$n" -gt 0 ] || fail "the track file holds no point"
head -n "$n" "$work/ref.txt" | cmp -s - "$work/now.txt" || fail "the saved points are not the walk's first $n"
echo "the first walk on a fresh account is saved ($n points)"
