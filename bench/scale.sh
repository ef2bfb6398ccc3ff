#!/usr/bin/env bash
# Scale: the pathological inputs and the C corpora through the whole `brevlin convert`, with
# wall time and peak memory (maximum resident set size, as /usr/bin/time -v reports it).
# The regex engine runs too, with a time limit; where it finishes, the outputs must match.
# Usage: bench/scale.sh [build-dir] [regex-limit-seconds] [brevlin-binary]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-"$here/../build"}" && pwd)
limit=${2:-120}
brevlin=$(realpath "${3:-"$build/brevlin"}")
out="$here/out"
data="$out/scale"
mkdir -p "$data"
"$here/make_corpus.sh" "$out" >/dev/null

mb=$((1 << 20))
make_input() { # name generator...
  local file="$data/$1"
  shift
  [ -s "$file" ] || "$@" > "$file"
  echo "$file"
}
block_comment() { printf '/* '; yes 'ab/c*d e' | head -c $((20 * mb)); printf ' */\n'; }
unterminated_string() { printf '"'; yes 'ab\"' | tr -d '\n' | head -c $((20 * mb)); printf 'cd\n'; }
unclosed_openers() { yes '/* x' | head -n 200000 | tr '\n' ' '; echo; }
letter_line() { head -c $((20 * mb)) /dev/zero | tr '\0' q; echo; }
keyword_line() { yes int | head -n 1000000 | tr '\n' ' '; echo; }

inputs=(
  "20 MB block comment|$(make_input block-comment.c block_comment)"
  "20 MB unterminated string|$(make_input unterminated-string.c unterminated_string)"
  "200 000 unclosed openers|$(make_input unclosed-openers.c unclosed_openers)"
  "20 MB line of letters|$(make_input letter-line.c letter_line)"
  "1 000 000 keywords, 1 line|$(make_input keyword-line.c keyword_line)"
  "1 MB C corpus|$out/corpus-1M.c"
  "16 MB C corpus|$out/corpus-16M.c"
)

run() { # engine file output limit -> "seconds peak-KB" or "timeout"
  local engine=$1 file=$2 result=$3 seconds=$4 stats="$data/time.txt"
  if timeout "$seconds" /usr/bin/time -f '%e %M' -o "$stats" \
      "$brevlin" convert --engine "$engine" --bvl "$here/c.bvl" "$file" > "$result"; then
    cat "$stats"
  else
    echo timeout
  fi
}

printf '%-28s %8s | %8s %9s %9s | %8s %9s %s\n' input "in MB" "fast s" "peak MB" \
  "peak/bound" "regex s" "peak MB" "same"
for entry in "${inputs[@]}"; do
  name=${entry%%|*}
  file=${entry#*|}
  size=$(stat -c %s "$file")
  read -r fs fk <<< "$(run fast "$file" "$data/fast.html" 600)"
  outsize=$(stat -c %s "$data/fast.html")
  # The bound: six times the input plus the output.
  ratio=$(echo "$fk * 1024 / (6 * $size + $outsize)" | bc -l)
  regex=$(run regex "$file" "$data/regex.html" "$limit")
  if [ "$regex" = timeout ]; then
    rs=">$limit"; rk=-; same=-
  else
    read -r rs rk <<< "$regex"
    rk=$(echo "$rk / 1024" | bc -l | xargs printf '%.0f')
    same=$(cmp -s "$data/fast.html" "$data/regex.html" && echo yes || echo NO)
  fi
  printf '%-28s %8.1f | %8.2f %9.0f %9.2f | %8s %9s %s\n' "$name" \
    "$(echo "$size / $mb" | bc -l)" "$fs" "$(echo "$fk / 1024" | bc -l)" "$ratio" "$rs" "$rk" "$same"
done
rm -f "$data/fast.html" "$data/regex.html" "$data/time.txt"
