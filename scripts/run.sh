#!/usr/bin/env bash
# Installs what building and running need and is missing, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
# Without the test libraries (scripts/test.sh installs them) the build leaves out the tests and
# benchmarks; with them, a build folder that scripts/test.sh made keeps building its tests.
options=()
for p in libgtest-dev libgmock-dev libbenchmark-dev; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    options=(-DBREVLIN_BUILD_TESTS=OFF -DBREVLIN_BUILD_BENCH=OFF)
  fi
done
cmake -S . -B build -G Ninja "${options[@]}"
cmake --build build
if [ -x build/brevlin-glosser ]; then
  exec build/brevlin-glosser "$@"
fi
exec build/brevlin --help
