# Sourced by the e2e scripts: the peer data folder and the skip rules.
# A skip exits 77 with a one-line reason; ctest shows it as skipped.

# $HIKEWISE_PEER_DATA_DIR when set, otherwise the folder beside the tree.
HIKEWISE_PEER_DATA_DIR=${HIKEWISE_PEER_DATA_DIR:-${HIKEWISE_DEFAULT_PEER_DATA_DIR:-}}
export HIKEWISE_PEER_DATA_DIR

# True when the peer data folder SUBFOLDER is there. When it is not: a
# failure with HIKEWISE_REQUIRE_PEER_DATA=1 (CI), otherwise false.
have_peer_data() {
  [ -n "$HIKEWISE_PEER_DATA_DIR" ] && [ -d "$HIKEWISE_PEER_DATA_DIR/$1" ] && return 0
  if [ "${HIKEWISE_REQUIRE_PEER_DATA:-}" = 1 ]; then
    echo "FAIL: peer data missing: ${HIKEWISE_PEER_DATA_DIR:-(no folder)}/$1" >&2
    exit 1
  fi
  return 1
}

# Skips the whole script unless the peer data folder SUBFOLDER is there.
require_peer_data() {
  have_peer_data "$1" && return 0
  echo "skipped: peer data missing: ${HIKEWISE_PEER_DATA_DIR:-(no folder)}/$1"
  exit 77
}

# The README's commands install every tool the tests use: a missing one is
# a failure, never a skip.
require_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
  done
}

# Waits (up to SECONDS) until the command succeeds; a guard against hangs only.
wait_until() {
  local seconds=$1
  shift
  local end=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.05
  done
}
