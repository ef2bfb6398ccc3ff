#!/usr/bin/env bash
# The sanitizer build: everything compiled by clang with AddressSanitizer and
# UndefinedBehaviorSanitizer, and the libFuzzer targets beside it, in build-san. Runs the unit,
# widget and command-line tests there and a short, fixed run of each fuzz target.
# --build-only stops after the build (fuzz/run.sh uses it).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Line tables are all a sanitizer's report needs, and they compile in well under the time of
# full debug information.
CXX=clang++ cmake -S . -B build-san -G Ninja -DBREVLIN_SANITIZE=ON -DBREVLIN_BUILD_FUZZ=ON \
    -DBREVLIN_BUILD_BENCH=OFF -DBREVLIN_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -gline-tables-only -DNDEBUG" >/dev/null
cmake --build build-san
[ "${1:-}" = --build-only ] && exit 0

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# Fewer killed saves and generated cases than the plain build: every step is slower here.
export BREVLIN_KILLS=${BREVLIN_KILLS:-50}
export BREVLIN_DIFF_CASES=${BREVLIN_DIFF_CASES:-1000}
ctest --test-dir build-san --output-on-failure -j2 --timeout 900 -LE e2e \
    -E '^(package\.|format_check$)'
