#!/usr/bin/env bash
# The Windows build, cross-compiled with mingw-w64 into build-win, and its tests under Wine in
# a private Wine prefix (build-win/wineprefix), so the tests' registry is their own.
# Needs the packages scripts/setup.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DBREVLIN_WERROR=ON
cmake --build build-win
export WINEPREFIX=$PWD/build-win/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A fresh prefix is made on the first run (about ten seconds); wineserver keeps it between
# the test programs and is stopped at the end.
trap 'wineserver -k 2>/dev/null || /usr/lib/wine/wineserver64 -k 2>/dev/null || true' EXIT
ctest --test-dir build-win --output-on-failure --timeout 600
