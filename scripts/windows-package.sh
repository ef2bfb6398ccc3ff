#!/usr/bin/env bash
# The Windows installer and the portable zip, from a Windows build (scripts/windows.sh):
# stages the program's files into BUILD/package/stage, makes
#   BUILD/brevlin-glosser-<version>-setup.exe     (installer/brevlin-glosser.nsi, NSIS 3)
#   BUILD/brevlin-glosser-<version>-portable.zip  (the same files in one folder)
# and prints their paths.
# Usage: windows-package.sh [BUILD_DIR [VERSION]]   (default build-win, CMakeLists.txt's version)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$source_dir/build-win}" && pwd)
version=${2:-$(sed -n 's/^project(BrevlinGlosser VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")}
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "windows-package.sh: no version ($version)" >&2; exit 1; }

# What is shipped, relative to the build folder: the programs find their data, their
# translations and Qt's Japanese buttons beside themselves.
files=(brevlin-glosser.exe brevlin.exe share/brevlin-glosser/help share/brevlin-glosser/languages
       translations/qtbase_ja.qm translations/brevlin_en.qm)
for file in "${files[@]}"; do
    [ -e "$build/$file" ] || { echo "windows-package.sh: $build/$file is missing" >&2; exit 1; }
done

package=$build/package
stage=$package/stage
rm -rf "$stage"
mkdir -p "$stage"
for file in "${files[@]}"; do
    mkdir -p "$stage/$(dirname "$file")"
    cp -R "$build/$file" "$stage/$file"
done

# The uninstaller removes exactly the staged files, then the folders, deepest first.
list=$package/uninstall-files.nsh
{
    echo "; Made by scripts/windows-package.sh from $stage"
    (cd "$stage" && find . -type f | sort) | sed 's|^\./||; s|/|\\|g; s|\$|$$|g' |
        while IFS= read -r file; do printf 'Delete "$INSTDIR\\%s"\n' "$file"; done
    (cd "$stage" && find . -mindepth 1 -type d | sort -r) | sed 's|^\./||; s|/|\\|g; s|\$|$$|g' |
        while IFS= read -r dir; do printf 'RMDir "$INSTDIR\\%s"\n' "$dir"; done
} >"$list"

setup=$build/brevlin-glosser-$version-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DUNINSTALL_LIST="$list" \
    -DICON="$source_dir/src/ui/shell/win/app.ico" -DOUTFILE="$setup" \
    "$source_dir/installer/brevlin-glosser.nsi" >"$package/makensis.log" ||
    { cat "$package/makensis.log" >&2; exit 1; }

# The zip: one folder named after the version, entries in a fixed order.
zip=$build/brevlin-glosser-$version-portable.zip
python3 - "$stage" "$zip" "brevlin-glosser-$version" <<'EOF'
import os, sys, zipfile
stage, target, top = sys.argv[1:]
with zipfile.ZipFile(target + ".tmp", "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    for folder, dirs, names in os.walk(stage):
        dirs.sort()
        for name in sorted(names):
            path = os.path.join(folder, name)
            archive.write(path, top + "/" + os.path.relpath(path, stage))
os.replace(target + ".tmp", target)
EOF
echo "$setup"
echo "$zip"
