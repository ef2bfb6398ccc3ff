#!/usr/bin/env bash
# Installs the Debian packages that Brevlin Glosser needs, as root or through sudo:
#   scripts/setup.sh run      to build and run the programs (scripts/run.sh gives it)
#   scripts/setup.sh package  that, and what `cpack -G DEB` needs for the Debian package
#   scripts/setup.sh          everything to build, run and test, the sanitizer and fuzz build and
#                             the Windows build under Wine, with the archive's sources for it
#   scripts/setup.sh test     that, and the receivers that the rich-paste tests paste into
#                             (scripts/test.sh gives it)
# Idempotent: packages already present are not downloaded again.
set -euo pipefail

# Building and running: the compiler and build tools, Qt with its SVG plug-ins (the icons and
# the logo), Qt's own translations (Japanese buttons on a Japanese desktop), PCRE2. The programs'
# translations are committed compiled, so lupdate and lrelease are for the tests.
run_packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-svg-dev libqt6svg6
  libpcre2-dev
)
# The Debian package: dpkg-shlibdeps finds the libraries' packages, file finds the binaries.
package_packages=(dpkg-dev file)
# The tests, benchmarks, sanitizer and fuzz build, and the Windows build with Wine.
test_packages=(
  qt6-l10n-tools libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth trayer xdotool xclip x11-utils imagemagick
  dbus-daemon python3 python3-dbus python3-gi weston xwayland wl-clipboard
  fonts-noto-cjk clang-format ccache
  clang libfuzzer-14-dev libclang-rt-14-dev
  chromium at-spi2-core gir1.2-atspi-2.0
  g++-mingw-w64-x86-64-posix wine64 nsis
)
# LibreOffice Writer and a DevTools client's websocket for Chromium.
receiver_packages=(libreoffice-writer-nogui python3-websocket)

mode=${1:-}
case "$mode" in
  run) packages=("${run_packages[@]}") ;;
  package) packages=("${run_packages[@]}" "${package_packages[@]}") ;;
  '') packages=("${run_packages[@]}" "${package_packages[@]}" "${test_packages[@]}") ;;
  test)
    packages=("${run_packages[@]}" "${package_packages[@]}" "${test_packages[@]}"
              "${receiver_packages[@]}")
    ;;
  *)
    echo "usage: scripts/setup.sh [run|package|test]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive

# The Windows build compiles PCRE2 (and Qt) from Debian's source packages: the archive's sources
# must be known to apt, from the same places as its packages (the main archive; mirrors do not
# all carry the security archive's sources). Building and running need no sources.
update=0
if [ "$mode" != run ] && [ "$mode" != package ] &&
   ! apt-get source --print-uris -qq pcre2 >/dev/null 2>&1; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    awk 'BEGIN { RS = ""; ORS = "\n\n" } !/security/ { sub(/Types: deb\n/, "Types: deb-src\n"); print }' \
      /etc/apt/sources.list.d/debian.sources |
      "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/brevlin-deb-src.sources >/dev/null
  else
    grep -h '^deb ' /etc/apt/sources.list 2>/dev/null | grep -v security | sed 's/^deb /deb-src /' |
      "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/brevlin-deb-src.list >/dev/null
  fi
  update=1
fi

if [ ${#missing[@]} -eq 0 ] && [ $update -eq 0 ]; then
  exit 0
fi
"${sudo_cmd[@]}" apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
