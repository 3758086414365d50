#!/usr/bin/env bash
# Installs every Debian package that building, testing and running the tool needs.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git ccache
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-svg-dev qt6-qpa-plugins
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libgl-dev libxkbcommon-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libinih-dev libcli11-dev nlohmann-json3-dev libgif-dev zlib1g-dev
  clang clang-14 libclang-rt-14-dev clang-tidy clang-format
  fp-utils-3.2.2
  fonts-wqy-zenhei
  xvfb xauth
  # packaging: dpkg-shlibdeps scans what `file` calls ELF; the desktop files are validated
  file desktop-file-utils appstream
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 libz-mingw-w64-dev wine64 googletest
  # the Windows program: Qt is built from Debian's source (dpkg-source), the installer with NSIS
  dpkg-dev nsis
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
