#!/usr/bin/env bash
# Runs a test program as nobody (65534) when called as root; root passes
# exclusive ports and read-only files, which hides faults. As another user
# the normal run already is such a pass: exit 77, the tests' skip code.
#   tools/run-unprivileged.sh PROGRAM [ARGS...]
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: not root, the normal run is the unprivileged pass"
  exit 77
fi
command -v setpriv >/dev/null || { echo "setpriv is missing (util-linux)" >&2; exit 1; }
program=$1
shift
# A home and a temporary folder of nobody's own: the settings and files the
# tests write go there.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
chown 65534:65534 "$home"
cd "$home"
setpriv --reuid=65534 --regid=65534 --clear-groups \
  env HOME="$home" TMPDIR="$home" XDG_RUNTIME_DIR="$home" XDG_CONFIG_HOME="$home/.config" \
  "$program" "$@"
