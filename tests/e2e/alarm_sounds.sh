#!/usr/bin/env bash
# The shipped alarm sound is what its program makes (so a change of the
# program shows in the file) and a 16-bit mono PCM WAV file with sound in it.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shipped=$HIKEWISE_SOURCE_DIR/resources/sounds/Alarm1.wav
"$HIKEWISE_BIN_DIR/hikewise-sounds" "$work" > /dev/null
cmp -s "$work/Alarm1.wav" "$shipped" || fail "resources/sounds/Alarm1.wav is not what hikewise-sounds makes"
# RIFF/WAVE, "fmt " of 16 bytes: PCM (1), one channel, 16 bits a sample.
header=$(od -A n -t x1 -N 44 "$shipped" | tr -d ' \n')
[ "${header:0:8}" = 52494646 ] && [ "${header:16:16}" = 57415645666d7420 ] || fail "not a WAV file"
[ "${header:40:4}" = 0100 ] && [ "${header:44:4}" = 0100 ] && [ "${header:68:4}" = 1000 ] ||
  fail "not 16-bit mono PCM: $header"
# Not silence: some sample far from zero.
od -A n -t d2 -j 44 -v "$shipped" | tr -s ' ' '\n' | awk '$1 > 20000 || $1 < -20000 { loud = 1 } END { exit !loud }' ||
  fail "the sound is silent"
echo "the alarm sound is shipped"
