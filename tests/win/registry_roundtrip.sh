#!/usr/bin/env bash
# The Windows `brevlin` under Wine on the real registry, against the Linux `brevlin` on its
# settings file, command for command: import (bundled languages, a CP932 and a UTF-16 language
# file, a keyword list), list, convert --language and export. The registry, read back with
# `reg export`, must hold what the Linux store holds, value for value and type for type; the
# outputs and exported files must be the same bytes; and the files exported on Windows must
# import on Linux to the same store.
# Usage: registry_roundtrip.sh LINUX_BREVLIN WINDOWS_BREVLIN_EXE SOURCE_DIR
set -euo pipefail
linux=$1 windows=$2 source=$3
wine=${BREVLIN_WINE:-/usr/lib/wine/wine64}
here=$(cd "$(dirname "$0")" && pwd)
[ -x "$linux" ] || { echo "no Linux brevlin at $linux (build the Linux tree first)" >&2; exit 1; }
export LC_ALL=C.UTF-8 WINEDEBUG=-all
unset BREVLIN_SETTINGS
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/win" "$work/linux" "$work/back"
key='HKCU\Software\Morvane\Brevlin'

win() { (cd "$work/win" && "$wine" "$windows" "$@"); }
lin() { (cd "$work/linux" && BREVLIN_SETTINGS="$work/linux.reg" "$linux" "$@"); }
fail() { echo "FAIL: $*" >&2; exit 1; }
same() { cmp "$1" "$2" >/dev/null || { diff <(od -c "$1" | head -20) <(od -c "$2" | head -20) >&2 || true; fail "$3"; }; }

"$wine" reg delete "$key" /f >/dev/null 2>&1 || true

# A CP932 file with Japanese in its name, keywords and tags; a UTF-16 file (with its mark) with
# characters CP932 lacks; a keyword list.
printf '%s\r\n' '[Brevlin]' 'Version=2.0' '[Language]' 'Name=日本語テスト' \
    'StartTag=<b class="鍵">' 'EndTag=</b>' 'ReplaceTab=False' 'TabColumns=8' 'IgnoreCase=True' \
    'Keywords1=関数,変数,もし' '[Comment1]' 'ClauseStart=＃' 'ClauseEnd=' 'EscapeChar=' \
    'MatchWord=False' 'StartTag=<i>' 'EndTag=</i>' | iconv -f UTF-8 -t CP932 >"$work/jp.bvl"
printf '%s\r\n' '[Brevlin]' 'Version=2.0' '[Language]' 'Name=Ünïcode €' \
    'StartTag=<span class="€">' 'EndTag=</span>' 'ReplaceTab=True' 'TabColumns=2' \
    'IgnoreCase=False' 'Keywords1=ψ,€uro,😀' | iconv -f UTF-8 -t UTF-16 >"$work/u16.bvl"
printf 'alpha\nbeta\n' >"$work/Wörter.txt"

for file in "$source/languages/c.bvl" "$source/languages/sql.bvl" "$work/jp.bvl" \
            "$work/u16.bvl" "$work/Wörter.txt"; do
    win import "Z:$file" || fail "Windows import of $file"
    lin import "$file" || fail "Linux import of $file"
done

win list >"$work/win-list"
lin list >"$work/linux-list"
printf '%s\n' C SQL 日本語テスト 'Ünïcode €' Wörter >"$work/expected-list"
same "$work/win-list" "$work/expected-list" "Windows list"
same "$work/linux-list" "$work/expected-list" "Linux list"

# The registry as regedit exports it, against the Linux store.
"$wine" reg export "$key" "Z:$work/registry.reg" /y >/dev/null || fail "reg export"
python3 "$here/reg_compare.py" "$work/registry.reg" "$work/linux.reg"
if [ -n "${BREVLIN_REGISTRY_EXPORT:-}" ]; then
    cp "$work/registry.reg" "$BREVLIN_REGISTRY_EXPORT"
fi

# Conversions with the stored languages, the same bytes on both.
printf 'int main(void) { return 0; } // done\r\n\tx = "a<b>&";\n' >"$work/in.c"
printf 'select * from t -- all\n' >"$work/in.sql"
printf '関数 f ＃ 注釈\n\tもし\n' >"$work/in.jp"
printf '関数 ＃ 注釈\r\n' | iconv -f UTF-8 -t CP932 >"$work/in.cp932"
for run in "C in.c" "SQL in.sql" "日本語テスト in.jp" "Ünïcode€ in.jp"; do
    name=${run% *} input=${run##* }
    [ "$name" = "Ünïcode€" ] && name='Ünïcode €'
    win convert --language "$name" "Z:$work/$input" >"$work/win.html" || fail "Windows convert $name"
    lin convert --language "$name" "$work/$input" >"$work/linux.html" || fail "Linux convert $name"
    same "$work/win.html" "$work/linux.html" "convert --language $name"
done
win convert --encoding cp932 --language 日本語テスト "Z:$work/in.cp932" >"$work/win.html"
lin convert --encoding cp932 --language 日本語テスト "$work/in.cp932" >"$work/linux.html"
same "$work/win.html" "$work/linux.html" "convert --encoding cp932"
grep -q '^関数 <i>＃ 注釈</i>$' "$work/win.html" || fail "CP932 input: $(cat "$work/win.html")"

# Exports: the default name from the language name, and a named file; CP932 where every
# character survives it, else UTF-8.
for name in C SQL 日本語テスト 'Ünïcode €' Wörter; do
    win export "$name" || fail "Windows export $name"
    lin export "$name" || fail "Linux export $name"
done
for file in C.bvl SQL.bvl 日本語テスト.bvl 'Ünïcode €.bvl' Wörter.bvl; do
    [ -f "$work/win/$file" ] || fail "Windows export did not write $file: $(ls "$work/win")"
    same "$work/win/$file" "$work/linux/$file" "exported $file"
done
same "$work/win/C.bvl" "$source/languages/c.bvl" "the bundled C language exported again"
iconv -f CP932 -t UTF-8 "$work/win/日本語テスト.bvl" | grep -q '^Name=日本語テスト' ||
    fail "the Japanese language is not exported in CP932"
head -c 3 "$work/win/Ünïcode €.bvl" | cmp -s - <(printf '\357\273\277') ||
    fail "the language CP932 cannot hold is not exported in UTF-8 with its mark"

# And back: what Windows exported imports on Linux to the same store as before.
for file in C.bvl SQL.bvl 日本語テスト.bvl 'Ünïcode €.bvl' Wörter.bvl; do
    (cd "$work/back" && BREVLIN_SETTINGS="$work/back.reg" "$linux" import "$work/win/$file") ||
        fail "Linux import of the Windows export $file"
done
python3 "$here/reg_compare.py" "$work/registry.reg" "$work/back.reg" >/dev/null ||
    fail "the Windows exports import on Linux to another store"
echo "registry round trip: all checks passed"
