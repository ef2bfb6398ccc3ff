#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test; then the
# Windows build's tests under Wine, and the same tests (but the whole-program ones) and short
# fuzz runs in the sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
cmake -S . -B build -G Ninja -DBREVLIN_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure -j2 --timeout 600
scripts/windows.sh
scripts/sanitize.sh
