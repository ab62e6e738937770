#!/usr/bin/env bash
# Runs the whole suite N times with two busy loops beside it and prints the
# failures per test: races and hidden sleeps show up here.
#   tools/soak-tests.sh N [CTEST ARGS...]   (the build dir: $HIKEWISE_BUILD_DIR or build)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:?usage: tools/soak-tests.sh N [CTEST ARGS...]}
shift
build=${HIKEWISE_BUILD_DIR:-build}
[ -f "$build/CTestTestfile.cmake" ] || { echo "no test build in $build: run ./build.sh build" >&2; exit 2; }

busy=()
log=$(mktemp -d)
stop_busy() {
  local pid
  for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$log"
}
trap stop_busy EXIT
for _ in 1 2; do
  (while :; do :; done) &
  busy+=("$!")
done

declare -A failures=()
green=0
for run in $(seq "$runs"); do
  start=$SECONDS
  if ctest --test-dir "$build" -j "$(nproc)" --output-on-failure "$@" >"$log/run.txt" 2>&1; then
    green=$((green + 1))
    echo "run $run/$runs: green ($((SECONDS - start)) s)"
  else
    echo "run $run/$runs: FAILED ($((SECONDS - start)) s)"
    cp "$log/run.txt" "$build/soak-run-$run.log"
    failed="$build/Testing/Temporary/LastTestsFailed.log"
    if [ -f "$failed" ]; then
      while IFS=: read -r _ name; do
        failures[$name]=$((${failures[$name]:-0} + 1))
      done <"$failed"
    fi
  fi
done

echo
echo "green: $green of $runs"
if [ ${#failures[@]} -gt 0 ]; then
  echo "failures per test (output of each failed run in $build/soak-run-N.log):"
  for name in "${!failures[@]}"; do
    printf '%4d  %s\n' "${failures[$name]}" "$name"
  done | sort -rn
fi
[ "$green" -eq "$runs" ]
