#!/usr/bin/env bash
# Runs the whole-program tests ROUNDS times in a row (default 20) while a second build of the
# project keeps both cores busy, and counts the failures per test. Needs a built `build`.
# The load is a clean build without the compiler cache in build-load, started over and over.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-20}
[ -x build/brevlin-glosser ] || { echo "build the project first (build/)" >&2; exit 2; }

load() {
    while true; do
        rm -rf build-load
        CCACHE_DISABLE=1 cmake -S . -B build-load -G Ninja -DBREVLIN_BUILD_BENCH=OFF >/dev/null
        CCACHE_DISABLE=1 cmake --build build-load -j2 >/dev/null 2>&1 || true
    done
}
load &
load_pid=$!
trap 'kill -- -$load_pid 2>/dev/null || kill $load_pid 2>/dev/null; pkill -f "build-load" || true' EXIT
sleep 20 # let the compilers get going

declare -A failures
start=$SECONDS
for round in $(seq "$rounds"); do
    log=$(mktemp)
    if ctest --test-dir build -L e2e -j2 --timeout 600 --output-on-failure >"$log" 2>&1; then
        echo "round $round: all passed ($(grep -o 'Total Test time (real) = *[0-9.]* sec' "$log"))"
    else
        failed=$(grep -E '^\s+[0-9]+ - ' "$log" | sed -E 's/^\s+[0-9]+ - ([^ ]+).*/\1/')
        echo "round $round: failed: $failed"
        for name in $failed; do failures[$name]=$((${failures[$name]:-0} + 1)); done
        cp "$log" "e2e-round-$round.log"
    fi
    rm -f "$log"
done
echo "$rounds rounds in $((SECONDS - start)) s under load"
for name in "${!failures[@]}"; do
    echo "  $name failed ${failures[$name]} times"
done
[ ${#failures[@]} -eq 0 ]
