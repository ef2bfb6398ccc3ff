#!/usr/bin/env bash
# All bundled languages imported into a fresh store, as a new user would: each is listed, each
# converts its sample by name exactly as checked in, and each exports back byte for byte.
# usage: ImportBundled.sh BREVLIN SOURCE_DIR
set -euo pipefail
brevlin=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export BREVLIN_SETTINGS=$work/settings.reg

fail() { echo "FAIL: $*" >&2; exit 1; }

# key sample name
bundled=(
    "c c.c C" "cpp cpp.cpp C++" "csharp csharp.cs C#" "java java.java Java"
    "javascript javascript.js JavaScript" "typescript typescript.ts TypeScript"
    "python python.py Python" "ruby ruby.rb Ruby" "go go.go Go" "rust rust.rs Rust"
    "php php.php PHP" "sql sql.sql SQL" "shell shell.sh Shell" "vb vb.vb Visual Basic"
    "pascal pascal.pas Pascal" "perl perl.pl Perl"
)

for entry in "${bundled[@]}"; do
    read -r key sample name <<<"$entry"
    "$brevlin" import "$source/languages/$key.bvl" || fail "import of $key.bvl"
done
[ "$("$brevlin" list | wc -l)" -eq ${#bundled[@]} ] || fail "list shows $("$brevlin" list | wc -l) languages"

for entry in "${bundled[@]}"; do
    read -r key sample name <<<"$entry"
    "$brevlin" list | grep -qxF "$name" || fail "$name is not listed"
    "$brevlin" convert --language "$name" "$source/tests/data/languages/$sample" >"$work/out.html"
    cmp -s "$work/out.html" "$source/tests/data/languages/$key.html" || fail "$name converts differently"
    "$brevlin" export "$name" "$work/$key.bvl"
    cmp -s "$work/$key.bvl" "$source/languages/$key.bvl" || fail "$name exports differently"
done
echo "bundled languages: ${#bundled[@]} imported, converted and exported"
