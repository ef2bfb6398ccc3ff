#!/usr/bin/env bash
# Runs the fuzz targets for a while: fuzz/run.sh SECONDS [NAME...] (default: all, one after
# the other; FUZZ_JOBS=2 runs two at a time). Builds the sanitizer build first. What a target
# finds is left as build-san/fuzz/<target>-crash-*; its corpus grows in build-san/fuzz/corpus-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz/run.sh SECONDS [NAME...]}
shift
scripts/sanitize.sh --build-only
pattern=fuzz
if [ $# -gt 0 ]; then
    pattern="fuzz\\.fuzz_($(IFS='|'; echo "$*"))\$"
fi
status=0
BREVLIN_FUZZ_TIME=$seconds ctest --test-dir build-san -L fuzz -R "$pattern" -j"${FUZZ_JOBS:-1}" \
    --timeout $((seconds + 600)) -V >build-san/fuzz/run.log 2>&1 || status=$?
grep -E '^[0-9]+: (stat::number_of_executed_units|stat::peak_rss_mb|SUMMARY|==[0-9]+==)|Test +#|tests passed|FAILED|Failed' \
    build-san/fuzz/run.log || true
echo "full output: build-san/fuzz/run.log"
exit $status
