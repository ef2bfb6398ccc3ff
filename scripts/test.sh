#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test; then the
# Windows build's tests under Wine, and the same tests (but the whole-program ones) and short
# fuzz runs in the sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
# Everything the tests use was installed just now: a test that finds its receiver missing fails
# instead of skipping.
export CI=true
# The tests and benchmarks, also in a build folder that scripts/run.sh made without them.
cmake -S . -B build -G Ninja -DBREVLIN_WERROR=ON -DBREVLIN_BUILD_TESTS=ON -DBREVLIN_BUILD_BENCH=ON
cmake --build build
ctest --test-dir build --output-on-failure -j2 --timeout 600
scripts/windows.sh
scripts/sanitize.sh
