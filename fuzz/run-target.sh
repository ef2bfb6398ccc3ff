#!/bin/sh
# Runs one fuzz target over its working corpus and seeds: a fixed number of inputs by default
# (BREVLIN_FUZZ_RUNS, for CI), or for BREVLIN_FUZZ_TIME seconds when that is set.
# Arguments: the target, its working corpus, the prefix of crash files, the seed folders.
set -eu
target=$1 work=$2 artifacts=$3
shift 3
mkdir -p "$work"
if [ -n "${BREVLIN_FUZZ_TIME:-}" ]; then
    limit="-max_total_time=$BREVLIN_FUZZ_TIME"
else
    limit="-runs=${BREVLIN_FUZZ_RUNS:-4000}"
fi
exec "$target" $limit -seed="${BREVLIN_FUZZ_SEED:-1}" -max_len=8192 -timeout=20 \
    -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$artifacts" "$work" "$@"
