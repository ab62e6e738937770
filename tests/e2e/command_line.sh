#!/usr/bin/env bash
# The program's --help and --version need no display; the tool's --code-page.
set -euo pipefail
BIN=${HIKEWISE_BIN_DIR:?}
fail() { echo "FAIL: $*" >&2; exit 1; }
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

out=$("${nodisplay[@]}" "$BIN/hikewise" --help 2>&1) || fail "--help: $out"
echo "$out" | grep -q -- '--replay' || fail "--help text: $out"
help=$out
out=$("${nodisplay[@]}" "$BIN/hikewise" --version 2>&1) || fail "--version: $out"
echo "$out" | grep -qi '^hikewise [0-9]' || fail "--version text: $out"
echo "$help" | grep -q -- '--language' || fail "--help lists no --language: $help"
# --language takes zh or en; anything else is refused before a window opens.
if "$BIN/hikewise" --language fr --screenshot /dev/null 2> "${TMPDIR:-/tmp}/lang.$$"; then
  fail "--language fr accepted"
fi
grep -q -- '--language takes zh or en' "${TMPDIR:-/tmp}/lang.$$" || fail "no message for --language fr"
rm -f "${TMPDIR:-/tmp}/lang.$$"
# hikewise-tool --code-page N: the code page of legacy text.
TOOL=$BIN/hikewise-tool
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
printf '8.5,47.1,caf\xe9\n' > "$WORK/west.csv"
"$TOOL" wpt-import "$WORK/a.wpt" "$WORK/west.csv" --code-page 1252 > /dev/null
grep -q '"café"' <<<"$("$TOOL" wpt-list "$WORK/a.wpt")" || fail "--code-page 1252: $("$TOOL" wpt-list "$WORK/a.wpt")"
printf '8.5,47.1,\xc9\xbd\xb6\xa5\n' > "$WORK/cn.csv"
"$TOOL" wpt-import "$WORK/b.wpt" "$WORK/cn.csv" > /dev/null
grep -q '"山顶"' <<<"$("$TOOL" wpt-list "$WORK/b.wpt")" || fail "default code page: $("$TOOL" wpt-list "$WORK/b.wpt")"
if "$TOOL" wpt-list "$WORK/a.wpt" --code-page 4242 2> "$WORK/err"; then fail "unknown code page accepted"; fi
grep -q 'code page' "$WORK/err" || fail "no message for an unknown code page"
echo "ok"
