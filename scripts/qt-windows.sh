#!/usr/bin/env bash
# A static Qt 6 (qtbase: Core, Gui, Widgets, Network, Test) for 64-bit Windows, cross-built with
# mingw-w64 from Debian's own source package, and the static 16-bit PCRE2 that Qt and the
# project share, built once per machine into a cache folder outside the checkout:
#
#   ${BREVLIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/brevlin-glosser}/windows-<key>/
#     pcre2/   PCRE2 16-bit, static, JIT on (as scripts/windows.sh builds it)
#     qt/      the Qt install prefix, with translations/qtbase_ja.qm
#
# The key is a hash of everything the result depends on: the Qt version (that of the installed
# host tools, qt6-base-dev-tools, whose source is the one fetched), the mingw-w64 compiler, the
# PCRE2 source version, the toolchain file and this script. The last line of standard output
# is the folder's path (everything else goes to standard error or the build log), so
#
#   prefix=$(scripts/qt-windows.sh)
#
# A consumer configures with the project's toolchain file and
#   -DCMAKE_PREFIX_PATH="$prefix/qt;$prefix/pcre2" -DQT_HOST_PATH=/usr
#   -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
#   -DPCRE2_INCLUDE_DIRS=$prefix/pcre2/include
#   -DPCRE2_LIBRARY_RELEASE=$prefix/pcre2/lib/libpcre2-16.a
# (the static Qt looks PCRE2 up again when it is used; see the configure step below for why
# the two PCRE2 paths are given by name).
#
# A finished build is marked by a stamp written last: an interrupted build is started afresh
# on the next run, and a finished one makes the script print the path and do nothing else.
# The build takes some 40 minutes on two idle cores (hours on a busy machine: it runs at a lower
# priority); its work folder
# (sources and build trees, 1 to 2 GB) is removed once Qt is installed. Folders of other keys
# are left alone. Needs the packages scripts/setup.sh installs, and its deb-src entries.
set -euo pipefail

script=$(readlink -f "$0")
project=$(dirname "$(dirname "$script")")
toolchain=$project/cmake/mingw-w64-x86_64.cmake

# Standard output is kept for the path alone.
exec 3>&1 1>&2

die() {
    echo "qt-windows.sh: $*" >&2
    exit 1
}

for tool in cmake ninja apt-get apt-cache dpkg-query dpkg-parsechangelog flock sha256sum \
    x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-nm; do
    command -v "$tool" >/dev/null || die "$tool is missing: run scripts/setup.sh"
done

installed_version() {
    local status
    status=$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true)
    if [ "$status" = "install ok installed" ]; then
        dpkg-query -W -f='${Version}' "$1"
    fi
}

# What the build depends on.
qt_version=$(installed_version qt6-base-dev-tools)
[ -n "$qt_version" ] || die "qt6-base-dev-tools (Qt's host tools) is not installed: run scripts/setup.sh"
# The compiler's own version line says only "12-posix"; the package versions tell Debian's
# rebuilds of it, and of the MinGW runtime, apart.
compiler="$(x86_64-w64-mingw32-g++-posix --version | sed -n 1p)"
compiler+=" $(installed_version g++-mingw-w64-x86-64-posix) $(installed_version mingw-w64-x86-64-dev)"
pcre2_versions=$(apt-cache showsrc pcre2 2>/dev/null | sed -n 's/^Version: //p' | sort -rV | uniq)
[ -n "$pcre2_versions" ] || die "apt knows no source package pcre2: run scripts/setup.sh (it adds the deb-src entries)"
toolchain_hash=$(sha256sum "$toolchain" | cut -c1-64)
script_hash=$(sha256sum "$script" | cut -c1-64)

key_for() {
    printf 'qt6-base %s\nmingw %s\npcre2 %s\ntoolchain %s\nscript %s\n' \
        "$qt_version" "$compiler" "$1" "$toolchain_hash" "$script_hash"
}

root=${BREVLIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/brevlin-glosser}
mkdir -p "$root"
root=$(readlink -f "$root")

log=/dev/null
fail() {
    echo "qt-windows.sh: $* failed; the end of $log:" >&2
    tail -n 40 "$log" >&2 || true
    exit 1
}
# Runs a step with its output in the log, at a lower priority so that other work on the
# machine keeps going.
run() {
    local what=$1
    shift
    echo "== $what" >>"$log"
    nice -n 10 "$@" >>"$log" 2>&1 </dev/null || fail "$what"
}

# The newest PCRE2 the mirror serves; an entry it lists but cannot deliver is passed over (as
# in scripts/windows.sh). A finished build of a version is used before any older one is tried.
fetched=
for pcre2_version in $pcre2_versions; do
    key=$(key_for "$pcre2_version" | sha256sum | cut -c1-12)
    cache=$root/windows-$key
    work=$root/work-$key
    stamp=$cache/complete.stamp
    if [ -f "$stamp" ]; then
        echo "$cache" >&3
        exit 0
    fi

    # One build per key at a time: a second run waits, then finds the stamp.
    exec 9>"$root/windows-$key.lock"
    if ! flock -n 9; then
        echo "qt-windows.sh: another run is building $cache; waiting for it" >&2
        flock 9
    fi
    if [ -f "$stamp" ]; then
        echo "$cache" >&3
        exit 0
    fi

    # Whatever an interrupted run left is started again.
    rm -rf "$cache" "$work"
    mkdir -p "$cache" "$work/pcre2-source" "$work/qt-source"
    log=$cache/build.log
    key_for "$pcre2_version" >"$cache/key.txt"
    echo "qt-windows.sh: building into $cache (log: $log)" >&2
    echo "== fetching pcre2=$pcre2_version" >>"$log"
    if (cd "$work/pcre2-source" && apt-get source -qq "pcre2=$pcre2_version") >>"$log" 2>&1; then
        fetched=$pcre2_version
        break
    fi
    echo "qt-windows.sh: the mirror did not deliver pcre2=$pcre2_version" >&2
    rm -rf "$work"
    flock -u 9
done
[ -n "$fetched" ] || fail "fetching the source of pcre2"
started=$(date +%s)

# PCRE2: 16-bit code units (those of QString and of the engine), static, with the JIT.
pcre2_source=$(find "$work/pcre2-source" -mindepth 1 -maxdepth 1 -type d -name 'pcre2-*' | head -n1)
[ -n "$pcre2_source" ] || fail "unpacking the source of pcre2"
run "configuring PCRE2" cmake -S "$pcre2_source" -B "$work/pcre2-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$cache/pcre2" \
    -DBUILD_SHARED_LIBS=OFF -DPCRE2_BUILD_PCRE2_8=OFF -DPCRE2_BUILD_PCRE2_16=ON \
    -DPCRE2_SUPPORT_JIT=ON -DPCRE2_BUILD_TESTS=OFF -DPCRE2_BUILD_PCRE2GREP=OFF
run "building PCRE2" cmake --build "$work/pcre2-build"
run "installing PCRE2" cmake --install "$work/pcre2-build"
pcre2_library=$cache/pcre2/lib/libpcre2-16.a
[ -f "$pcre2_library" ] || fail "installing PCRE2 (no $pcre2_library)"

# Qt: the source of exactly the host tools' version, Debian's patches applied by apt-get
# source (dpkg-source -x).
echo "qt-windows.sh: fetching qt6-base=$qt_version" >&2
# shellcheck disable=SC2016 # expanded by the inner shell, from its arguments
run "fetching qt6-base=$qt_version" \
    bash -c 'cd "$1" && apt-get source -qq "qt6-base=$2"' fetch "$work/qt-source" "$qt_version"
qt_source=$(find "$work/qt-source" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)
[ -n "$qt_source" ] || fail "unpacking the source of qt6-base"
source_version=$(dpkg-parsechangelog -l "$qt_source/debian/changelog" -S Version)
[ "$source_version" = "$qt_version" ] ||
    die "the fetched qt6-base is $source_version, the host tools are $qt_version: they must match"

# The configure line, switch by switch:
# - QT_HOST_PATH: moc, rcc, uic and Qt's host CMake packages come from Debian's Linux Qt of the
#   same version.
# - INPUT_opengl=no: FEATURE_opengl=OFF alone leaves dynamic OpenGL on.
# - FEATURE_androiddeployqt=OFF: Debian's cross.patch switches it on when cross-compiling.
# - FEATURE_tabletevent=OFF: Debian's repacked source has no src/3rdparty/wintab, which the
#   Windows platform plugin needs for tablet events.
# - pkg_config=OFF and the system_*=OFF switches keep this machine's Linux libraries out.
# - FEATURE_directwrite(3)=OFF: with Direct2D off, Qt's CMake leaves the DirectWrite font
#   database out of QtGui while the Windows platform plugin still refers to it (an undefined
#   QWindowsDirectWriteFontDatabase at the program's link); without it, text goes through GDI.
# - Sql, Concurrent, Xml, PrintSupport, DBus, OpenGL and SSL are off: the program uses Core, Gui,
#   Widgets, Network and (for the widget tests) Test.
# - FEATURE_system_pcre2=ON: the PCRE2 built above, not Qt's bundled copy, whose symbols would
#   collide with the project's libpcre2-16.a in one static link. Qt's FindWrapSystemPCRE2 ends
#   in find_path/find_library, which under the toolchain file search only below its
#   CMAKE_FIND_ROOT_PATH (the MinGW sysroot, where a CMAKE_PREFIX_PATH or PCRE2_ROOT is looked
#   for, re-rooted); naming the header folder and the library in their cache variables skips
#   the search. The module passes on no compile definitions, and without PCRE2_STATIC pcre2.h
#   declares its functions dllimport (references to __imp_pcre2_*), so it is defined for
#   every compile in Qt's C and C++ flags. Checked on the installed QtCore below.
echo "qt-windows.sh: configuring and building Qt (40 minutes on two idle cores, longer on a busy machine)" >&2
run "configuring Qt" cmake -S "$qt_source" -B "$work/qt-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$cache/qt" \
    -DBUILD_SHARED_LIBS=OFF -DFEATURE_static_runtime=ON \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_pkg_config=OFF -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF \
    -DFEATURE_sql=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_ssl=OFF -DFEATURE_schannel=OFF -DFEATURE_openssl=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_freetype=OFF -DFEATURE_jpeg=OFF \
    -DFEATURE_directwrite=OFF -DFEATURE_directwrite3=OFF \
    -DFEATURE_androiddeployqt=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF \
    -DFEATURE_system_pcre2=ON \
    -DPCRE2_INCLUDE_DIRS="$cache/pcre2/include" \
    -DPCRE2_LIBRARY_RELEASE="$pcre2_library" -DPCRE2_LIBRARY_DEBUG="$pcre2_library" \
    -DCMAKE_C_FLAGS=-DPCRE2_STATIC -DCMAKE_CXX_FLAGS=-DPCRE2_STATIC
run "building Qt" cmake --build "$work/qt-build"
run "installing Qt" cmake --install "$work/qt-build"

# One PCRE2 in the program: QtCore must use PCRE2's functions without defining them, and by
# their static names.
core=$cache/qt/lib/libQt6Core.a
[ -f "$core" ] || fail "installing Qt (no $core)"
core_symbols=$(x86_64-w64-mingw32-nm "$core" 2>/dev/null) || die "cannot list the symbols of $core"
grep -q ' U pcre2_compile_16$' <<<"$core_symbols" || die "QtCore does not use the PCRE2 built here"
if grep -Eq ' [TD] pcre2_compile_16$' <<<"$core_symbols"; then
    die "QtCore carries its own PCRE2"
fi
if grep -q '__imp_pcre2_' <<<"$core_symbols"; then
    die "QtCore was compiled against PCRE2 as a DLL (PCRE2_STATIC not defined)"
fi

# A static Qt installs no translations: Qt's own Japanese strings, from Debian, beside it for
# packaging.
translation=$(dpkg -L qt6-translations-l10n 2>/dev/null | grep '/qtbase_ja\.qm$' | head -n1 || true)
if [ -z "$translation" ] || [ ! -f "$translation" ]; then
    die "qtbase_ja.qm not found: qt6-translations-l10n is not installed (run scripts/setup.sh)"
fi
mkdir -p "$cache/qt/translations"
cp "$translation" "$cache/qt/translations/"

rm -rf "$work"
elapsed=$(($(date +%s) - started))
echo "== done in $((elapsed / 60)) min $((elapsed % 60)) s" >>"$log"
echo "qt-windows.sh: built in $((elapsed / 60)) min $((elapsed % 60)) s" >&2
date -u +%Y-%m-%dT%H:%M:%SZ >"$stamp"
echo "$cache" >&3
