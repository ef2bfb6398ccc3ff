#!/usr/bin/env bash
# Builds C corpora from the headers on this machine: corpus-1M.c and corpus-16M.c in $1
# (default: bench/out). Deterministic for a given machine: files in sorted order.
set -euo pipefail
out=${1:-"$(dirname "$0")/out"}
mkdir -p "$out"
build() {
  local size=$1 file=$2
  : > "$file.tmp"
  while [ "$(stat -c %s "$file.tmp")" -lt "$size" ]; do
    find /usr/include -type f -name '*.h' -print0 | sort -z |
      xargs -0 cat -- 2>/dev/null | iconv -f utf-8 -t utf-8 -c | head -c "$size" >> "$file.tmp" || true
  done
  head -c "$size" "$file.tmp" | iconv -f utf-8 -t utf-8 -c > "$file"
  rm -f "$file.tmp"
}
[ -s "$out/corpus-1M.c" ] || build $((1 << 20)) "$out/corpus-1M.c"
[ -s "$out/corpus-16M.c" ] || build $((16 << 20)) "$out/corpus-16M.c"
ls -l "$out"/corpus-*.c
