#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test Brevlin Glosser; with the argument
# "test", also the receivers that the rich-paste tests paste into (scripts/test.sh gives it).
# Idempotent: packages already present are not downloaded again.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-translations-l10n qt6-svg-dev libqt6svg6
  libpcre2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth trayer xdotool xclip x11-utils imagemagick
  dbus-daemon python3 python3-dbus python3-gi weston xwayland wl-clipboard
  fonts-noto-cjk clang-format dpkg-dev file ccache
  clang libfuzzer-14-dev libclang-rt-14-dev
  chromium at-spi2-core gir1.2-atspi-2.0
  g++-mingw-w64-x86-64-posix wine64 nsis
)
if [ "${1:-}" = test ]; then
  # LibreOffice Writer and a DevTools client's websocket for Chromium.
  packages+=(libreoffice-writer-nogui python3-websocket)
fi

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

# The Windows build compiles PCRE2 from Debian's source package: the archive's sources must
# be known to apt, from the same places as its packages (the main archive; mirrors do not all
# carry the security archive's sources).
update=0
if ! apt-get source --print-uris -qq pcre2 >/dev/null 2>&1; then
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
