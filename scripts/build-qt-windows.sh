#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own source of the Qt the Linux build uses, and
# installs it into a cache folder outside the checkout. Prints that folder's path as its last line.
#
# The folder's name carries the Qt version and a digest of the options and the toolchain, so a
# later run reuses it and a change of either builds a new one. It is filled under a temporary name
# and renamed when complete: an interrupted build is never taken for a finished one.
#
# The first build runs about 1,180 steps: about half an hour on 2 cores, 94 MB installed.
#
# Environment: QMV718_CACHE_DIR (default ${XDG_CACHE_HOME:-$HOME/.cache}/qmv718),
#              QMV718_QT_JOBS (default: the number of cores).
set -euo pipefail
cd "$(dirname "$0")/.."
project=$PWD

triple=x86_64-w64-mingw32
toolchain=$project/cmake/mingw-w64-x86_64.cmake
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
if [ -z "$qt_version" ]; then
  echo "qt6-base-dev is not installed; run scripts/setup.sh first." >&2
  exit 1
fi
upstream_version=${qt_version%%+*}

# What the program needs and nothing more: Core, Gui, Widgets, Network and Test, with the
# windows and offscreen platforms, the Windows styles and the image formats.
#  - tabletevent off: Debian strips Qt's bundled wintab header (its licence forbids changes);
#  - OpenGL stays on (dynamic): the 6.4 Windows platform plugin does not compile without it;
#  - Direct2D stays on, since Gui's DirectWrite font engine is built only with it, but its platform
#    plugin (Direct2D 1.1), which the program never loads, is not built;
#  - no TUIO touch input and none of the widgets, dialogs and text formats the program does not use;
#  - -O1, as the program itself is built for Windows, not CMake's -O3 for Release: a sixth less
#    compile time than -O2; Qt's drawing keeps its hand-written SIMD paths either way.
unused_features=(
  direct2d1_1 tuiotouch graphicsview mdiarea calendarwidget datetimeedit dockwidget toolbox dial lcdnumber
  fontcombobox colordialog fontdialog wizard keysequenceedit undoview undogroup undostack undocommand
  columnview splashscreen syntaxhighlighter systemtrayicon textmarkdownreader textmarkdownwriter localserver
)
options=(
  -DCMAKE_BUILD_TYPE=Release "-DCMAKE_C_FLAGS_RELEASE=-O1 -DNDEBUG" "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG"
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_tabletevent=OFF
  -DFEATURE_opengl_dynamic=ON
)
for feature in "${unused_features[@]}"; do
  options+=("-DFEATURE_$feature=OFF")
done
digest=$( (printf '%s\n' "$qt_version" "${options[@]}"; cat "$toolchain" "$project/cmake/MinGW.cmake") |
  sha256sum | cut -c1-12)

cache=${QMV718_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/qmv718}
prefix=$cache/qt-$upstream_version-$triple-$digest
# Checkouts on one machine share the cache: one of them builds, and the others wait and reuse it.
mkdir -p "$cache"
exec 8>"$cache/.qt-$digest.lock"
flock 8
if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  echo "Qt $upstream_version for Windows: reusing $prefix" >&2
  echo "$prefix"
  exit 0
fi

echo "Qt $upstream_version for Windows is not in the cache; building it once (about half an hour on 2 cores)." >&2
started=$(date +%s)
work=$cache/.qt-build-$digest
rm -rf "$work" "$prefix.partial"
mkdir -p "$work"

if ! (cd "$work" && apt-get source -qq --download-only "qt6-base=$qt_version" >"$work/fetch.log" 2>&1 &&
  dpkg-source -x --no-check qt6-base_*.dsc src >>"$work/fetch.log" 2>&1); then
  echo "Could not fetch Debian's source of qt6-base $qt_version (apt-get source needs a deb-src entry," \
    "which scripts/setup.sh adds, and a reachable Debian mirror):" >&2
  cat "$work/fetch.log" >&2
  exit 1
fi

cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_INSTALL_PREFIX="$prefix.partial" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  "${options[@]}" >"$work/configure.log" 2>&1 || {
  tail -50 "$work/configure.log" >&2
  exit 1
}
cmake --build "$work/build" -j "${QMV718_QT_JOBS:-$(nproc)}" >"$work/build.log" 2>&1 || {
  grep -B2 -A20 -m3 'FAILED' "$work/build.log" >&2 || tail -50 "$work/build.log" >&2
  exit 1
}
cmake --install "$work/build" >"$work/install.log" 2>&1
# Qt's installed package files name the prefix they were installed to; a relocatable prefix
# lets the rename below keep them right.
mv "$prefix.partial" "$prefix"
rm -rf "$work"
echo "Qt $upstream_version for Windows built in $(($(date +%s) - started)) s: $prefix ($(du -sh "$prefix" | cut -f1))" >&2
echo "$prefix"
