#!/usr/bin/env bash
# Runs the whole-program tests ROUNDS times in a row (default 20) beside a load that keeps a
# 2-core machine busy: two busy loops and a disk writer. The load is started here and ended
# by its own process groups, so no other process is touched. Failures are counted per test,
# each failing round's log is kept as e2e-round-N.log, and every test's click report (what
# the tray icon received and decided) as build/e2e-reports/round-N/TEST.clicks.log. Needs a built `build`; further arguments go to ctest (e.g. -R convert).
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-20}
shift || true
[ -x build/brevlin-glosser ] || { echo "build the project first (build/)" >&2; exit 2; }

scratch=$(mktemp -d)
load_groups=()
# Each load runs in a session of its own, so ending its group ends its children too.
start_load() {
    setsid bash -c "$1" >/dev/null 2>&1 &
    load_groups+=("$!")
}
stop_load() {
    local group
    for group in "${load_groups[@]}"; do
        kill -- "-$group" 2>/dev/null || true
    done
    for group in "${load_groups[@]}"; do
        wait "$group" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap stop_load EXIT
start_load 'while :; do :; done'
start_load 'while :; do :; done'
start_load "while :; do dd if=/dev/zero of='$scratch/disk' bs=1M count=256 conv=fsync status=none; done"
echo "load: ${#load_groups[@]} process groups (${load_groups[*]}): two busy loops and a disk writer"

declare -A failures=()
start=$SECONDS
for round in $(seq "$rounds"); do
    log=$(mktemp)
    export E2E_REPORT_DIR=$PWD/build/e2e-reports/round-$round
    rm -rf "$E2E_REPORT_DIR" && mkdir -p "$E2E_REPORT_DIR"
    if ctest --test-dir build -L e2e -j2 --timeout 600 --output-on-failure "$@" >"$log" 2>&1; then
        echo "round $round: all passed ($(grep -o 'Total Test time (real) = *[0-9.]* sec' "$log"))"
    else
        failed=$(grep -E '^\s+[0-9]+ - ' "$log" | sed -E 's/^\s+[0-9]+ - ([^ ]+).*/\1/')
        echo "round $round: failed:" $failed
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
