#!/usr/bin/env bash
# hikewise-tool nmea-decode over real receiver logs and over the simulator's
# output: every simulated sentence passes its checksum, positions stay on the
# route, fix losses and dropouts show, and a pseudo-terminal gets a paced
# stream.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
require_tools socat
BIN=${HIKEWISE_BIN_DIR:?}
SRC=${HIKEWISE_SOURCE_DIR:?}
PEER=$HIKEWISE_PEER_DATA_DIR
skipped=
TOOL=$BIN/hikewise-tool
SIM=$BIN/hikewise-nmea-sim
WORK=$(mktemp -d)
trap 'kill ${SOCAT_PID:-} 2>/dev/null || true; rm -rf "$WORK"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# The value of a numeric key on each JSON line.
field() { grep -o "\"$1\":[^,}]*" | cut -d: -f2; }

# --- decoding a real receiver's log -------------------------------------------
if have_peer_data nmea; then
  log=$PEER/nmea/ublox-lea-5h.log
  "$TOOL" nmea-decode --skip-comments "$log" > "$WORK/ublox.jsonl"
  lines=$(wc -l < "$WORK/ublox.jsonl")
  [ "$lines" -eq "$(grep -c '^\$' "$log")" ] || fail "ublox: $lines objects"
  first=$(grep -m1 '"sentence":"GPGGA"' "$WORK/ublox.jsonl")
  echo "$first" | grep -q '"gga_lat":51.925907' || fail "ublox lat: $first"
  echo "$first" | grep -q '"gga_lon":4.5776455' || fail "ublox lon: $first"
  echo "$first" | grep -q '"altitude":-4,' || fail "ublox altitude: $first"
  echo "$first" | grep -q '"gga_time":"08:37:23"' || fail "ublox time: $first"
  grep -q '"date":"2010-08-21"' "$WORK/ublox.jsonl" || fail "ublox date"
  # Standard input gives the same.
  "$TOOL" nmea-decode - < "$log" | cmp -s - "$WORK/ublox.jsonl" || fail "stdin differs"
else
  skipped="peer data missing: $PEER/nmea (the real receiver's log was not decoded)"
fi

# --- comments, bad checksums, errors ------------------------------------------
printf '# $GPZDA,201530.00,04,07,2002,00,00*60\r\n$GPZDA,201530.00,04,07,2002,00,00*60\r\n$GPZDA,201530.00,04,07,2002,00,00*61\r\n' > "$WORK/c.nmea"
[ "$("$TOOL" nmea-decode "$WORK/c.nmea" | wc -l)" -eq 2 ] || fail "comment sentence not decoded"
out=$("$TOOL" nmea-decode --skip-comments "$WORK/c.nmea")
[ "$(echo "$out" | wc -l)" -eq 1 ] || fail "comment not skipped"
echo "$out" | grep -q '"zda_count":1' || fail "zda count: $out"
if "$TOOL" nmea-decode "$WORK/missing.nmea" 2> "$WORK/err"; then fail "missing file succeeded"; fi
grep -q "cannot open" "$WORK/err" || fail "no message for a missing file"

# --- the simulator, decoded ---------------------------------------------------
"$SIM" --route line --start 47.0,8.0,500 --heading 90 --length 1000 --duration 300 \
  --rmb --zda --satellites 13 --no-fix 100+20 --dropout 200+10 --seed 3 > "$WORK/line.nmea"
sentences=$(grep -c '^\$' "$WORK/line.nmea")
[ "$sentences" -eq "$(wc -l < "$WORK/line.nmea")" ] || fail "lines that are no sentence"
grep -q -v $'\r$' "$WORK/line.nmea" && fail "a line without CR LF"
"$TOOL" nmea-decode "$WORK/line.nmea" > "$WORK/line.jsonl"
# Every sentence dispatched means every checksum was right.
[ "$(wc -l < "$WORK/line.jsonl")" -eq "$sentences" ] || fail "checksum failures"
last=$(tail -n1 "$WORK/line.jsonl")
for t in GGA GSA RMC RMB ZDA; do
  n=$(grep -c "^\$GP$t" "$WORK/line.nmea")
  echo "$last" | grep -q "\"$(echo $t | tr A-Z a-z)_count\":$n[,}]" || fail "$t count $n: $last"
done
[ "$(grep -c '^\$GPGGA' "$WORK/line.nmea")" -eq 290 ] || fail "dropout: GGA count"
gga=$(grep '"sentence":"GPGGA"' "$WORK/line.jsonl")
[ "$(echo "$gga" | field fix_quality | grep -c '^0$')" -eq 20 ] || fail "no-fix seconds"
# With a fix, every position lies on the line eastward from 47N 8E (a few
# metres of receiver noise allowed).
echo "$gga" | grep '"fix_quality":1' | awk -F'"gga_lat":|,"gga_lon":|,"altitude":' '
  { lat = $2; lon = $3
    if (lat < 46.9999 || lat > 47.0001 || lon < 7.9999 || lon > 8.0133) { print "off route: " lat " " lon; bad = 1 }
    if (lon > maxlon) maxlon = lon }
  END { if (maxlon < 8.003) { print "did not walk: " maxlon; bad = 1 } exit bad }' || fail "line route"
# Satellites: 13 in view, each with a plausible sky position.
echo "$last" | grep -q '"satellites_in_view":13' || fail "satellites in view"
sky=$(echo "$last" | grep -o '"satellites":\[[^]]*\]')
[ "$(echo "$sky" | grep -o '"prn"' | wc -l)" -eq 13 ] || fail "live satellites: $sky"
echo "$sky" | grep -o '"elevation":[0-9]*' | cut -d: -f2 | awk '$1 > 90 { exit 1 }' || fail "elevation"
echo "$sky" | grep -o '"azimuth":[0-9]*' | cut -d: -f2 | awk '$1 > 359 { exit 1 }' || fail "azimuth"

# --- only what each sentence sets ----------------------------------------------
"$TOOL" nmea-decode --changes "$WORK/line.nmea" > "$WORK/changes.jsonl"
[ "$(wc -l < "$WORK/changes.jsonl")" -eq "$sentences" ] || fail "changes: one object a sentence"
gga_changes=$(grep '"sentence":"GPGGA"' "$WORK/changes.jsonl")
echo "$gga_changes" | grep -q '"rmc_time"\|"satellites"\|"pdop"' && fail "GGA line with other keys"
# The values are those of the whole state, line for line.
[ "$(echo "$gga_changes" | field gga_lat)" = "$(echo "$gga" | field gga_lat)" ] || fail "changes: GGA latitudes"
[ "$(grep '"sentence":"GPRMC"' "$WORK/changes.jsonl" | field speed_knots)" = \
  "$(grep '"sentence":"GPRMC"' "$WORK/line.jsonl" | field speed_knots)" ] || fail "changes: RMC speeds"
grep '"sentence":"GPRMC"' "$WORK/changes.jsonl" | grep -q '"gga_lat"' && fail "RMC line with GGA keys"
# The satellite array comes once a GPGSV group, at its last sentence.
groups=$(grep -cE '^\$GPGSV,([1-8]),\1,' "$WORK/line.nmea")
[ "$(grep -c '"satellites":\[' "$WORK/changes.jsonl")" -eq "$groups" ] || fail "satellites once a group"
grep -m1 '"sentence":"GPGSV"' "$WORK/changes.jsonl" | grep -qx '{"sentence":"GPGSV","count":[0-9]*}' ||
  fail "first GSV of a group: $(grep -m1 '"sentence":"GPGSV"' "$WORK/changes.jsonl")"
[ "$(wc -c < "$WORK/changes.jsonl")" -lt "$(($(wc -c < "$WORK/line.jsonl") / 4))" ] || fail "changes not smaller"

# --- the user's locale changes no number -----------------------------------------
if locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  LC_ALL=de_DE.UTF-8 "$TOOL" nmea-decode "$WORK/line.nmea" | cmp -s - "$WORK/line.jsonl" ||
    fail "decode differs under de_DE"
  "$TOOL" nmea-track "$WORK/line.nmea" "$WORK/line.trk" > /dev/null
  for f in csv kml gpx; do
    LC_ALL=C "$TOOL" trk-export $f "$WORK/line.trk" "$WORK/c.$f" > /dev/null
    LC_ALL=de_DE.UTF-8 "$TOOL" trk-export $f "$WORK/line.trk" "$WORK/de.$f" > /dev/null
    cmp -s "$WORK/c.$f" "$WORK/de.$f" || fail "$f export differs under de_DE"
  done
  grep -q '^47\.0' "$WORK/de.csv" || fail "csv under de_DE: $(sed -n 2p "$WORK/de.csv")"
else
  fail "the de_DE.UTF-8 locale is missing (./build.sh build generates it)"
fi

# A route file: positions stay within the box of its points.
"$SIM" --route "$SRC/tools/nmea-sim/routes/ridge-walk.txt" --speed 5 --seed 4 > "$WORK/ridge.nmea"
"$TOOL" nmea-decode "$WORK/ridge.nmea" | grep '"sentence":"GPGGA"' |
  awk -F'"gga_lat":|,"gga_lon":|,"altitude":' '
  { if ($2 < 22.2229 || $2 > 22.2371 || $3 < 114.2403 || $3 > 114.2499) { print "off: " $2 " " $3; exit 1 } }' ||
  fail "ridge route"
# Same seed, same stream.
"$SIM" --route "$SRC/tools/nmea-sim/routes/ridge-walk.txt" --speed 5 --seed 4 --output "$WORK/again.nmea"
cmp -s "$WORK/ridge.nmea" "$WORK/again.nmea" || fail "not reproducible"
if "$SIM" --route "$WORK/missing-route.txt" > /dev/null 2>&1; then fail "missing route accepted"; fi
# A group of GPGSV every fifth second only, and still whole.
"$SIM" --duration 20 --gsv-every 5 --satellites 9 > "$WORK/gsv.nmea"
[ "$(grep -c '^\$GPGSV,3,3,09' "$WORK/gsv.nmea")" -eq 4 ] || fail "gsv-every"
[ "$(grep -c '^\$GPGGA' "$WORK/gsv.nmea")" -eq 20 ] || fail "gsv-every GGA"
if "$SIM" --gsv-every 0 > /dev/null 2>&1; then fail "gsv-every 0 accepted"; fi

# The bundled demo walk decodes whole and has its stop and its loss of fix.
demo=$SRC/resources/demo/demo.nmea
"$TOOL" nmea-decode "$demo" > "$WORK/demo.jsonl"
[ "$(wc -l < "$WORK/demo.jsonl")" -eq "$(grep -c '^\$' "$demo")" ] || fail "demo checksums"
gga=$(grep '"sentence":"GPGGA"' "$WORK/demo.jsonl")
n=$(echo "$gga" | wc -l)
[ "$n" -ge 1200 ] && [ "$n" -le 1800 ] || fail "demo length $n s"
[ "$(echo "$gga" | field fix_quality | grep -c '^0$')" -ge 20 ] || fail "demo loss of fix"
[ "$(grep '"sentence":"GPRMC"' "$WORK/demo.jsonl" | field speed_knots | grep -c '^0$')" -ge 60 ] ||
  fail "demo stop"

# --- a pseudo-terminal at 4800 baud -------------------------------------------
socat -d -d pty,raw,echo=0,link="$WORK/gps" pty,raw,echo=0,link="$WORK/app" 2> "$WORK/socat.log" &
SOCAT_PID=$!
wait_until 60 test -e "$WORK/app" -a -e "$WORK/gps" || fail "socat made no pseudo-terminals"
cat "$WORK/app" > "$WORK/pty.nmea" &
CAT_PID=$!
start=$(date +%s%N)
"$SIM" --output "$WORK/gps" --duration 3 --baud 4800
took=$((($(date +%s%N) - start) / 1000000))
# The reader has the last epoch once its GPGSV group's last sentence is in.
last_epoch_in() { [ "$(grep -c '^\$GPGGA' "$WORK/pty.nmea")" -ge 3 ] && tail -c 2 "$WORK/pty.nmea" | grep -q $'\n'; }
wait_until 60 last_epoch_in || fail "pty: the third epoch never came"
kill $CAT_PID 2>/dev/null || true
wait $CAT_PID 2>/dev/null || true
# Three epochs, one a second: never faster (slower only under load).
[ "$took" -ge 2000 ] || fail "not paced: $took ms"
"$TOOL" nmea-decode "$WORK/pty.nmea" > "$WORK/pty.jsonl"
[ "$(grep -c '"sentence":"GPGGA"' "$WORK/pty.jsonl")" -eq 3 ] || fail "pty: $(cat "$WORK/pty.nmea")"
[ "$(wc -l < "$WORK/pty.jsonl")" -eq "$(grep -c '^\$' "$WORK/pty.nmea")" ] || fail "pty checksums"
if [ -n "$skipped" ]; then
  echo "skipped: $skipped"
  exit 77
fi
echo "ok"
