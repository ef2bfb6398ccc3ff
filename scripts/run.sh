#!/usr/bin/env bash
# Installs what is missing, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja
cmake --build build
if [ -x build/brevlin-glosser ]; then
  exec build/brevlin-glosser "$@"
fi
exec build/brevlin --help
