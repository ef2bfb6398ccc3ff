#!/usr/bin/env bash
# Whole-process conversion speed on the C corpora, beside other highlighters where they are
# installed (Debian: highlight, source-highlight, python3-pygments) and the escape-only floor.
# Usage: bench/run.sh [build-dir]   (prints MB/s, best of 3 runs)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../build"}
out="$here/out"
"$here/make_corpus.sh" "$out" >/dev/null

best_seconds() { # command... ; best wall time of 3 runs, output discarded
  local best=
  for _ in 1 2 3; do
    local t0 t1
    t0=$(date +%s.%N)
    "$@" > /dev/null 2>&1
    t1=$(date +%s.%N)
    local t
    t=$(echo "$t1 - $t0" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}

report() { # name file command...
  local name=$1 file=$2
  shift 2
  local size secs
  size=$(stat -c %s "$file")
  secs=$(best_seconds "$@")
  printf '%-28s %-14s %8.3f s %8.1f MB/s\n' "$name" "$(basename "$file")" "$secs" \
    "$(echo "$size / 1048576 / $secs" | bc -l)"
}

for corpus in "$out/corpus-1M.c" "$out/corpus-16M.c"; do
  report "escape-only floor" "$corpus" sh -c "\"$build/bench/escape_floor\" < \"$corpus\""
  report "brevlin convert" "$corpus" "$build/brevlin" convert --bvl "$here/c.bvl" "$corpus"
  if "$build/brevlin" --help 2>&1 | grep -q -- --engine; then
    report "brevlin convert (regex)" "$corpus" \
      "$build/brevlin" convert --engine regex --bvl "$here/c.bvl" "$corpus"
  fi
  if command -v highlight >/dev/null; then
    # highlight writes its stylesheet into the current folder: run it in $out.
    report "highlight" "$corpus" sh -c "cd \"$out\" && highlight -S c -O html -i \"$corpus\""
  fi
  if command -v source-highlight >/dev/null; then
    report "source-highlight" "$corpus" source-highlight -s c -f html -i "$corpus" -o STDOUT
  fi
  if command -v pygmentize >/dev/null; then
    report "pygmentize" "$corpus" pygmentize -l c -f html "$corpus"
  fi
done
