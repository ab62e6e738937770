#!/usr/bin/env bash
# The program's --help and --version need no display.
set -euo pipefail
BIN=${HIKEWISE_BIN_DIR:?}
fail() { echo "FAIL: $*" >&2; exit 1; }
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

out=$("${nodisplay[@]}" "$BIN/hikewise" --help 2>&1) || fail "--help: $out"
echo "$out" | grep -q -- '--replay' || fail "--help text: $out"
out=$("${nodisplay[@]}" "$BIN/hikewise" --version 2>&1) || fail "--version: $out"
echo "$out" | grep -qi '^hikewise [0-9]' || fail "--version text: $out"
echo "ok"
