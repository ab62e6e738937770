#!/usr/bin/env bash
# A simulated combined receiver (GN talker, four systems) decoded by
# hikewise-tool nmea-decode: the sentences it writes, and every system's
# satellites in the decoded table with their used flags.
set -euo pipefail
BIN=${HIKEWISE_BIN_DIR:?}
TOOL=$BIN/hikewise-tool
SIM=$BIN/hikewise-nmea-sim
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

"$SIM" --talker GN --systems gps,glonass,galileo,beidou --duration 60 --satellites 9 \
  --seed 5 > "$WORK/gn.nmea"
epochs=$(grep -c '^\$GNGGA' "$WORK/gn.nmea")
[ "$epochs" -eq 60 ] || fail "$epochs GNGGA"
[ "$(grep -c '^\$GNRMC' "$WORK/gn.nmea")" -eq 60 ] || fail "GNRMC count"
[ "$(grep -c '^\$GNGSA' "$WORK/gn.nmea")" -eq 240 ] || fail "one GNGSA per system"
grep -q '^\$GP' "$WORK/gn.nmea" && ! grep -q '^\$GPGSV' "$WORK/gn.nmea" && fail "GP talker"
for t in GP GL GA GB; do
  grep -q "^\\\$${t}GSV,3,1,09," "$WORK/gn.nmea" || fail "no $t GSV group"
done
# The system id of NMEA 4.10 ends each GSA.
for id in 1 2 3 4; do
  grep -q "^\\\$GNGSA,.*,$id\*" "$WORK/gn.nmea" || fail "no GSA of system $id"
done

"$TOOL" nmea-decode "$WORK/gn.nmea" > "$WORK/gn.jsonl"
[ "$(wc -l < "$WORK/gn.jsonl")" -eq "$(wc -l < "$WORK/gn.nmea")" ] || fail "checksum failures"
last=$(tail -n1 "$WORK/gn.jsonl")
echo "$last" | grep -q '"satellites_in_view":36' || fail "in view: $last"
echo "$last" | grep -q '"fix_quality":1' || fail "no fix: $last"
for s in gps glonass galileo beidou; do
  n=$(echo "$last" | grep -o "\"system\":\"$s\"" | wc -l)
  [ "$n" -eq 9 ] || fail "$n satellites of $s"
  echo "$last" | grep -q "\"system\":\"$s\",[^}]*\"used\":true" || fail "no $s satellite used"
done
# Each system's numbers as its GSV gives them: GLONASS from 65.
echo "$last" | grep -o '"prn":[0-9]*,"system":"glonass"' | grep -qv '"prn":\(6[5-9]\|7[0-9]\|8[0-8]\),' \
  && fail "GLONASS numbers out of range"

# The same stream with the GPS talker alone is what it always was.
"$SIM" --duration 20 --seed 5 > "$WORK/gp.nmea"
grep -q -v '^\$GP' "$WORK/gp.nmea" && fail "a default stream with another talker"
grep -q ',[1-6]\*' <(grep '^\$GPGSA' "$WORK/gp.nmea") && fail "a system id on a GPS-only GSA"
echo "ok"
