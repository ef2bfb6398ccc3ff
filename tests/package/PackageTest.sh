#!/usr/bin/env bash
# Installs the build into a temporary prefix and builds the Debian package, then checks that
# both hold the programs, help and languages where they belong, with the package's
# dependencies declared, that the installed command converts with a bundled language, and
# that the packaged tray program starts and opens its installed help.
# usage: PackageTest.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

check_tree() { # ROOT PREFIX
    local root=$1 prefix=$2
    for f in bin/brevlin share/brevlin-glosser/help/index.html share/brevlin-glosser/help/popups.txt \
             share/brevlin-glosser/help/en/index.html share/brevlin-glosser/help/en/popups.txt \
             share/brevlin-glosser/translations/brevlin_en.qm \
             share/brevlin-glosser/languages/python.bvl share/brevlin-glosser/languages/brevlin.css; do
        [ -e "$root$prefix/$f" ] || fail "missing $prefix/$f"
    done
    if [ -e "$build/brevlin-glosser" ]; then
        for f in bin/brevlin-glosser share/applications/brevlin-glosser.desktop; do
            [ -e "$root$prefix/$f" ] || fail "missing $prefix/$f"
        done
        ls "$root$prefix"/share/icons/hicolor/*/apps/brevlin-glosser.* >/dev/null 2>&1 ||
            fail "no application icon in the icon theme"
    fi
    "$root$prefix/bin/brevlin" convert --bvl "$root$prefix/share/brevlin-glosser/languages/python.bvl" \
        "$source/tests/data/languages/python.py" >"$work/out.html"
    cmp "$work/out.html" "$source/tests/data/languages/python.html" || fail "installed brevlin converts differently"
    # It finds its installed translation: outside Japan its messages are English.
    ! BREVLIN_UI_LANGUAGE=en "$root$prefix/bin/brevlin" convert --bvl "$work/missing.bvl" </dev/null \
        2>"$work/err" || fail "installed brevlin converted a missing file"
    grep -q "^brevlin: File not found: $work/missing.bvl\$" "$work/err" ||
        fail "installed brevlin speaks no English: $(cat "$work/err")"
}

# cmake --install into a prefix of our own.
cmake --install "$build" --prefix "$work/prefix" >/dev/null
check_tree "$work/prefix" ""

# cpack -G DEB, then the package's contents and control fields.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null)
deb=$(ls "$work"/deb/brevlin-glosser_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6core6 libpcre2-16-0 libqt6svg6; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
if [ -e "$build/brevlin-glosser" ]; then
    for needed in libqt6widgets6 libqt6gui6 libqt6network6; do
        grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
    done
fi
dpkg-deb -x "$deb" "$work/root"
check_tree "$work/root" /usr
# The packaged program starts, shows its icon and finds its installed help.
if [ -e "$build/brevlin-glosser" ]; then
    GLOSSER="$work/root/usr/bin/brevlin-glosser" bash "$source/tests/e2e/help_about.sh" >/dev/null ||
        fail "the packaged program did not start or find its help"
fi
echo "package: ok ($depends)"
