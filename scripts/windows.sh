#!/usr/bin/env bash
# The Windows build, cross-compiled with mingw-w64 into build-win, and its tests under Wine in
# a private Wine prefix (build-win/wineprefix), so the tests' registry is their own.
# Needs the packages scripts/setup.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake

# The tray program too: Qt and PCRE2 for Windows from Debian's own source packages, built once
# per machine into a cache outside the checkout (some 35 minutes the first time), found there
# afterwards. With BREVLIN_WINDOWS_TRAY=0, only what needs no Qt.
if [ "${BREVLIN_WINDOWS_TRAY:-1}" = 1 ]; then
    deps=$(scripts/qt-windows.sh | tail -n 1)
    [ -f "$deps/qt/lib/libQt6Widgets.a" ] || { echo "no Qt for Windows in $deps" >&2; exit 1; }
    qt_options=(-DBREVLIN_PCRE2_WIN="$deps/pcre2" -DBREVLIN_QT_WIN="$deps/qt")
else
    # PCRE2 from Debian's own source package, Debian's patches applied, built once.
    if [ ! -f build-win/pcre2/lib/libpcre2-16.a ]; then
        rm -rf build-win/pcre2-source && mkdir -p build-win/pcre2-source
        # The newest version the mirror serves; an entry it lists but cannot deliver is passed over.
        fetched=0
        for version in $(apt-cache showsrc pcre2 | sed -n 's/^Version: //p' | sort -rV | uniq); do
            if (cd build-win/pcre2-source && apt-get source -qq "pcre2=$version" >source.log 2>&1); then
                fetched=1
                break
            fi
        done
        [ $fetched = 1 ] || { cat build-win/pcre2-source/source.log >&2; exit 1; }
        source_dir=$(find build-win/pcre2-source -mindepth 1 -maxdepth 1 -type d -name 'pcre2-*' | head -1)
        cmake -S "$source_dir" -B build-win/pcre2-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PWD/build-win/pcre2" \
            -DBUILD_SHARED_LIBS=OFF -DPCRE2_BUILD_PCRE2_8=OFF -DPCRE2_BUILD_PCRE2_16=ON \
            -DPCRE2_SUPPORT_JIT=ON -DPCRE2_BUILD_TESTS=OFF -DPCRE2_BUILD_PCRE2GREP=OFF >/dev/null
        cmake --build build-win/pcre2-build >/dev/null
        cmake --install build-win/pcre2-build >/dev/null
    fi
    qt_options=(-DBREVLIN_PCRE2_WIN="$PWD/build-win/pcre2" -DBREVLIN_QT_WIN=)
fi

# Without debug information, which makes mingw's compile and link of the tests a third slower.
# -O2, not -O3: mingw's GCC 12 warns falsely about string copies at -O3.
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DBREVLIN_WERROR=ON \
    -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
    "${qt_options[@]}"
cmake --build build-win
export WINEPREFIX=$PWD/build-win/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A fresh prefix is made on the first run (about ten seconds). One wineserver serves every
# test program (each start would otherwise cost seconds) and is stopped at the end.
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
# The widget tests' windows go to a private X display, which Wine's server and services take
# from the first program (-noreset: see tests/e2e/lib.sh).
xvfb=
if [ "${BREVLIN_WINDOWS_TRAY:-1}" = 1 ]; then
    mkdir -p build-win/x11
    rm -f build-win/x11/display
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset 5>build-win/x11/display >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do [ -s build-win/x11/display ] && break; sleep 0.1; done
    export DISPLAY=:$(head -n 1 build-win/x11/display)
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
# The server runs in the prefix folder, so that must exist before it starts.
mkdir -p "$WINEPREFIX"
trap '"$wineserver" -k 2>/dev/null || true; [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true' EXIT
# A server left by an earlier run (or still going down) would refuse the new one.
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w
"$wineserver" -p
# Wine's own services start with the first program and live as long as the server: started
# here, they hold no test's output open, which ctest would wait for.
/usr/lib/wine/wine64 wineboot >/dev/null 2>&1 </dev/null
# The private display has no window manager, for which Wine would wait two seconds whenever a
# window is hidden: Wine places the windows itself.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
ctest --test-dir build-win --output-on-failure --timeout 600
