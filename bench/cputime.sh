#!/usr/bin/env bash
# Whole-process conversion speed by CPU time (user + sys, best of N runs) beside wall time,
# for a machine shared with other work, where wall time mostly measures the others. All
# programs here are single-threaded, so on an idle machine wall time comes close to it.
# Usage: bench/cputime.sh [build-dir] [runs] [brevlin-binary]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-"$here/../build"}" && pwd)
runs=${2:-5}
brevlin=$(realpath "${3:-"$build/brevlin"}")
out="$here/out"
"$here/make_corpus.sh" "$out" >/dev/null

measure() { # name file command... (run inside $out, output discarded)
  local name=$1 file=$2
  shift 2
  local best_cpu= best_wall=
  for _ in $(seq "$runs"); do
    local cpu wall
    read -r cpu wall _ <<< "$(cd "$out" && "$build/bench/proc_time" "$@" 2>/dev/null)"
    if [ -z "$best_cpu" ] || [ "$(echo "$cpu < $best_cpu" | bc -l)" = 1 ]; then best_cpu=$cpu; fi
    if [ -z "$best_wall" ] || [ "$(echo "$wall < $best_wall" | bc -l)" = 1 ]; then best_wall=$wall; fi
  done
  local size
  size=$(stat -c %s "$file")
  printf '%-26s %-14s cpu %7.4f s %8.1f MB/s   wall %7.4f s %8.1f MB/s\n' "$name" \
    "$(basename "$file")" "$best_cpu" "$(echo "$size / 1048576 / $best_cpu" | bc -l)" \
    "$best_wall" "$(echo "$size / 1048576 / $best_wall" | bc -l)"
}

for corpus in "$out/corpus-1M.c" "$out/corpus-16M.c"; do
  measure "escape-only floor" "$corpus" sh -c "\"$build/bench/escape_floor\" < \"$corpus\""
  measure "brevlin convert" "$corpus" "$brevlin" convert --bvl "$here/c.bvl" "$corpus"
  measure "brevlin convert (regex)" "$corpus" \
    "$brevlin" convert --engine regex --bvl "$here/c.bvl" "$corpus"
  if command -v highlight >/dev/null; then
    measure "highlight" "$corpus" highlight -S c -O html -i "$corpus"
  fi
done
