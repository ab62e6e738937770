#!/usr/bin/env bash
# Fuzzes every reader with libFuzzer (Clang, AddressSanitizer and
# UndefinedBehaviorSanitizer), in a build of its own beside the GCC one.
#   tools/fuzz.sh [MINUTES] [TARGET...]  every target (or those named) MINUTES
#                                        minutes each (default 10), one after
#                                        the other; a summary of executions
#                                        and coverage at the end
#   tools/fuzz.sh --build                only build the fuzz programs
# The tests call it as --test-build and --test-run TARGET: both skip (exit 77)
# unless HIKEWISE_FUZZ_SECONDS asks for a run of that many seconds a target.
# New inputs go to BUILD/corpus/TARGET, crashes to BUILD/artifacts/; the seed
# corpora in tools/fuzz/corpus/ are only read. Add an input that found a fault
# to its seed corpus, so that every test run replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
SOURCE_DIR=$PWD
BUILD=${HIKEWISE_FUZZ_BUILD_DIR:-${HIKEWISE_BUILD_DIR:-build}/fuzz-clang}
TARGETS=$(sed -n '/set(HIKEWISE_FUZZ_TARGETS/,/CACHE INTERNAL/p' tools/fuzz/CMakeLists.txt |
  grep -o '[a-z_]*_fuzzer')

build() {
  if ! command -v clang++ >/dev/null; then
    echo "clang++ not found: ./build.sh build installs it" >&2
    return 1
  fi
  export CCACHE_BASEDIR="$SOURCE_DIR" CCACHE_NOHASHDIR=1
  if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$SOURCE_DIR" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DHIKEWISE_TESTS=OFF -DHIKEWISE_BENCH=OFF >/dev/null
  fi
  cmake --build "$BUILD" --target fuzzers -j "$(nproc)"
}

# run TARGET SECONDS: fuzzes one target; prints its last status line.
run() {
  local target=$1 seconds=$2
  local work="$BUILD/corpus/$target" log="$BUILD/logs/$target.log"
  mkdir -p "$work" "$BUILD/artifacts" "$BUILD/logs"
  local status=0
  "$BUILD/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -error_exitcode=1 -timeout_exitcode=1 \
    -print_final_stats=1 -artifact_prefix="$BUILD/artifacts/$target-" \
    "$work" "tools/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  local last
  last=$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  printf '%-26s %s runs=%s\n' "$target" "${last:-no status line}" "${runs:-?}"
  if [ "$status" -ne 0 ]; then
    echo "$target failed (exit $status); its output: $log" >&2
    grep -E 'ERROR|fuzz check failed|SUMMARY|artifact' "$log" >&2 || true
  fi
  return "$status"
}

case "${1:-}" in
  --build)
    build
    ;;
  --test-build)
    if [ -z "${HIKEWISE_FUZZ_SECONDS:-}" ]; then
      echo "skipped: set HIKEWISE_FUZZ_SECONDS=N to fuzz every target N seconds"
      exit 77
    fi
    build
    ;;
  --test-run)
    if [ -z "${HIKEWISE_FUZZ_SECONDS:-}" ]; then
      echo "skipped: set HIKEWISE_FUZZ_SECONDS=N to fuzz every target N seconds"
      exit 77
    fi
    run "$2" "$HIKEWISE_FUZZ_SECONDS"
    ;;
  *)
    minutes=10
    if [[ "${1:-}" =~ ^[0-9]+$ ]]; then
      minutes=$1
      shift
    fi
    if [ "$minutes" -lt 1 ]; then
      echo "MINUTES must be 1 or more (libFuzzer reads 0 as no limit)" >&2
      exit 2
    fi
    if [ $# -gt 0 ]; then
      for target in "$@"; do
        if ! grep -qx "$target" <<<"$TARGETS"; then
          echo "unknown fuzz target '$target'; the targets:" $TARGETS >&2
          exit 2
        fi
      done
      TARGETS="$*"
    fi
    build
    failed=0
    for target in $TARGETS; do
      run "$target" $((minutes * 60)) || failed=1
    done
    exit "$failed"
    ;;
esac
