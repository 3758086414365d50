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

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Qt for Windows is built from Debian's source of the Qt the Linux build uses (`apt-get source`),
# which comes from the same host and suites as the packages: a deb-src entry is added beside the
# deb entry where there is none.
if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
  deb_entry=$(grep -lE '^Types:.*\bdeb\b' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -1 || true)
  if [ -n "$deb_entry" ]; then
    sed -E 's/^Types:.*/Types: deb-src/' "$deb_entry" | $sudo tee /etc/apt/sources.list.d/qmv718-deb-src.sources >/dev/null
  elif [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      $sudo tee /etc/apt/sources.list.d/qmv718-deb-src.list >/dev/null
  fi
  $sudo apt-get update -qq || true
fi
