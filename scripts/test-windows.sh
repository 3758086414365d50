#!/usr/bin/env bash
# Builds the whole program for Windows with MinGW-w64 and tests it:
#  - Qt for Windows from Debian's source, cached outside the checkout (scripts/build-qt-windows.sh);
#  - a build for this machine that draws the pictures (its generator runs at build time) and
#    carries the Windows link bridges, for the Linux program's test with Windows libraries;
#  - x86_64: the window, the command line, the update and the installer; every test under wine64
#    (the windows on Qt's offscreen platform), then the program checked whole: the window's
#    screenshots compared with the Linux ones, the installer run silently into a fresh Wine
#    prefix and the installed program used and uninstalled;
#  - the Linux command line with the maker-style 64-bit Windows libraries in its folder, reaching
#    them through the Windows bridge under Wine;
#  - i686: only what ships beside the 64-bit program, the bridge and the 32-bit link libraries.
#    This machine cannot run 32-bit code, so they are checked statically: the libraries export
#    the link operations under their plain names, and everything the bridge and the libraries
#    import resolves against the system DLLs.
# Build folders: ${QMV718_WINDOWS_BUILD:-build-windows}/{host,x86_64,i686}; the host build is
# ${QMV718_WINDOWS_HOST_BUILD} instead where that names a Release build of the project.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

root=$(realpath -m "${QMV718_WINDOWS_BUILD:-build-windows}")
jobs=${QMV718_WINDOWS_JOBS:-$(nproc)}
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
step_started=$SECONDS
step() {
  echo "-- $1 ($((SECONDS - step_started)) s so far)"
}

qt=$(bash scripts/build-qt-windows.sh | tail -n 1)
step "Qt for Windows: $qt"

# ---- host: the picture generator and the Linux program with its Windows bridges ------------------
# A Release build of the whole project (the test run's release stage, QMV718_WINDOWS_HOST_BUILD)
# already has them and serves as it stands; without one, a build of just these is made here.
if [ -n "${QMV718_WINDOWS_HOST_BUILD:-}" ]; then
  host=$(realpath "$QMV718_WINDOWS_HOST_BUILD")
else
  host=$root/host
  cmake -S . -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQMV718_TESTS=OFF -DQMV718_BENCH=OFF \
    -DQMV718_HELP=OFF -DQMV718_WINDOWS_BRIDGES=ON "${launcher[@]}" >/dev/null
fi
cmake --build "$host" -j "$jobs" --target qmv718_picture_generator qmv718-cli tavrio velquon \
  qmv718_windows_bridge_32 qmv718_windows_bridge_64
step "host build: $host"

# Optimised at -O1: the tests check behaviour, not speed, and -O3 costs CI minutes of compiling.
configure() {
  local arch=$1 toolchain=$2
  shift 2
  cmake -S . -B "$root/$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/$toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O1 -DNDEBUG" \
    -DQMV718_BENCH=OFF "${launcher[@]}" "$@" >/dev/null
}

# ---- x86_64: the program, its installer and every test -------------------------------------------
x64=$root/x86_64
configure x86_64 mingw-w64-x86_64-qt -DQMV718_TESTS=ON -DQMV718_GUI=ON -DQMV718_WINDOWS_QT="$qt" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQMV718_PICTURE_GENERATOR="$host/assets/qmv718_picture_generator" \
  -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/lib/wine/wine64
cmake --build "$x64" -j "$jobs"
step "x86_64 program and tests built"

# The tests under Wine leave the processors idle much of the time (they wait on Wine's server and
# on each other's windows), so the installer and the i686 build are made beside them, niced. The
# i686 build is what ships beside the 64-bit program: the bridge and the 32-bit libraries it loads
# (our own and the maker-style ones); the 32-bit command line shares all its code with the 64-bit
# one tested here, so it is left out.
x86=$root/i686
work_beside_tests_log=$root/beside-tests.log
work_beside_tests() {
  cmake --build "$x64" --target installer
  configure i686 mingw-w64-i686 -DQMV718_TESTS=ON -DQMV718_GUI=OFF
  cmake --build "$x86" -j "$jobs" --target qmv718-linkbridge tavrio velquon maker_tavrio maker_velquon
}
(
  renice -n 10 -p "$BASHPID" >/dev/null
  work_beside_tests
) >"$work_beside_tests_log" 2>&1 &
work_beside_tests_pid=$!

# One prefix for all tests and one server kept running while they do. One test more than the
# processors keeps them busy while others wait.
source scripts/wine-prefix.sh
new_wine_prefix "$x64/wineprefix"
results=$x64/gtest-results
rm -rf "$results"
# Wine's drive Z: is the Unix root; a path without a drive would count as relative under Windows.
GTEST_OUTPUT="xml:Z:$results/" ctest --test-dir "$x64" --output-on-failure -j $((jobs + 1)) | tee "$x64/ctest.log"
cases=$(grep -ho '<testsuites tests="[0-9]*"' "$results"/*.xml | grep -o '[0-9]*' | awk '{s += $1} END {print s}')
step "x86_64 tests"

if ! wait "$work_beside_tests_pid"; then
  echo "The installer or the i686 build failed:" >&2
  cat "$work_beside_tests_log" >&2
  exit 1
fi
step "installer and i686 build"

bash scripts/test-windows-program.sh "$x64" "$host"
step "Windows program checks"

# ---- i686: checked statically --------------------------------------------------------------------

objdump=i686-w64-mingw32-objdump
link_operations="link_state ReadVersion RBasicInfo readdatav20 writedatav20 SetCodeCarrierWave RCollectCodeInfo"
check_exports() {
  local dll=$1
  shift
  local names
  names=$("$objdump" -p "$dll" | awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^$/{t=0} t{print $NF}')
  for name in "$@"; do
    if ! grep -qx -- "$name" <<<"$names"; then
      echo "$dll does not export $name under its plain name; its exports:" >&2
      echo "$names" >&2
      return 1
    fi
  done
  echo "plain exports: $dll ($*)"
}
# shellcheck disable=SC2086 # the operation names are words
{
  check_exports "$x86/bin/tavrio.dll" $link_operations
  check_exports "$x86/bin/maker/tavrio.dll" $link_operations
  check_exports "$x86/bin/velquon.dll" ConvertCode
  check_exports "$x86/bin/maker/velquon.dll" ConvertCode
}
bash scripts/check-windows-imports.sh "$objdump" "$x86/bin/qmv718-linkbridge.exe" "$host/bin/qmv718-linkbridge-win32.exe" \
  "$x86/bin/tavrio.dll" "$x86/bin/velquon.dll" "$x86/bin/maker/tavrio.dll" "$x86/bin/maker/velquon.dll"
echo "Windows builds checked: x86_64 under wine64: $(grep -o '[0-9]*% tests passed.*' "$x64/ctest.log")" \
  "($cases test cases); i686 statically; ${SECONDS}s in all"
