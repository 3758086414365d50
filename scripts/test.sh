#!/usr/bin/env bash
# The project's whole test run; CI (.ci/run) runs exactly this. Stages, in order:
#   sanitizer  warnings as errors, AddressSanitizer and UndefinedBehaviorSanitizer, clang-tidy; every
#              test, the sources' layout (clang-format) among them
#   release    Release with CMake's default generator: the program and the benchmarks, then the
#              Debian package
#   package    the package installed on this machine, checked as a user meets it, removed again;
#              where qmv718 was installed before, it is left alone and the package is checked
#              unpacked into a scratch folder
#   qt         Qt for Windows, built once from Debian's source into a cache outside the checkout
#              (scripts/build-qt-windows.sh; about half an hour the first time, then reused); the
#              build runs in the background from the start, and this stage waits for it
#   windows    the Windows build (scripts/test-windows.sh): the program and its installer, every
#              test under wine64, the installer run, the Linux program with Windows libraries
#              through Wine; the 32-bit link bridge and libraries checked statically
# Widget tests run on Qt's offscreen platform, so no screen is needed.
#
# Environment: QMV718_STAGES (the stages to run, default all five), QMV718_TEST_BUILD,
# QMV718_RELEASE_BUILD and QMV718_WINDOWS_BUILD (build folders), QMV718_CLANG_TIDY (ON or OFF,
# default ON).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/configure.sh
bash scripts/setup.sh

stages=${QMV718_STAGES:-sanitizer release package qt windows}
# Whether this run has the stage named.
has_stage() { [[ " $stages " == *" $1 "* ]]; }
sanitizer_build=${QMV718_TEST_BUILD:-build-test}
release_build=${QMV718_RELEASE_BUILD:-build-release}
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

# Qt for Windows takes about half an hour to build the first time, and only the windows stage
# needs it. So its build starts at once in the background, niced: it takes up what the stages
# before leave of the processors (their tests, configure steps and packaging), and its own
# one-core steps (fetching, unpacking, configuring Qt) run beside them. The qt stage waits for
# it. From the cache it is done in a moment. A run that stops early stops it too.
qt_log=$(mktemp)
qt_pid=""
if has_stage qt; then
  # Its own session, so that it can be stopped whole; where the kernel groups processes by session
  # for scheduling, the group itself is niced, or the build would take half the processors anyway.
  setsid bash -c 'echo 10 >/proc/self/autogroup 2>/dev/null; exec nice -n 10 bash scripts/build-qt-windows.sh' \
    >"$qt_log" 2>&1 &
  qt_pid=$!
fi
stop_background_work() {
  if [ -n "$qt_pid" ] && kill -0 "$qt_pid" 2>/dev/null; then
    kill -- "-$qt_pid" 2>/dev/null || true
  fi
  rm -f "$qt_log"
}
trap stop_background_work EXIT

# The Windows bridges are cross-built by the release stage (for the package) and the windows stage.
# Line tables (-g1) are all a sanitizer's report needs for its file:line stack; full debug
# information would make every compile a third slower.
sanitizer_stage() {
  qmv718_configure "$sanitizer_build" \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1 -O1" \
    -DQMV718_SANITIZE=ON -DQMV718_CLANG_TIDY="${QMV718_CLANG_TIDY:-ON}" -DQMV718_WARNINGS_AS_ERRORS=ON \
    -DQMV718_TESTS=ON -DQMV718_BENCH=OFF -DQMV718_WINDOWS_BRIDGES=OFF
  cmake --build "$sanitizer_build" -j "$jobs"
  ctest --test-dir "$sanitizer_build" --output-on-failure -j "$jobs"
}

# CMake's default generator on purpose, even where Ninja is installed: a build that only works with
# one generator is a fault. This configuration makes the package and the benchmarks, which measure
# optimised code. The tests ran in the sanitizer stage; running them again here would cost CI's
# 30 minutes more than it finds.
release_stage() {
  qmv718_use_compiler_cache
  env -u CMAKE_GENERATOR cmake -S . -B "$release_build" "${qmv718_launcher[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DQMV718_TESTS=OFF -DQMV718_BENCH=ON
  cmake --build "$release_build" -j "$jobs"
  rm -f "$release_build"/qmv718_*.deb
  cpack --config "$release_build/CPackConfig.cmake" -B "$release_build"
}

package_stage() {
  local deb app_id
  deb=$(realpath "$release_build"/qmv718_*.deb)
  dpkg-deb --info "$deb"
  dpkg-deb --contents "$deb"
  app_id=$(dpkg-deb --contents "$deb" | sed -n 's|.*/usr/share/applications/\(.*\)\.desktop$|\1|p')
  # Several checkouts may share one machine: one of them at a time installs the package.
  exec 9>/tmp/qmv718-package-test.lock
  flock 9
  if qmv718_present; then
    echo "qmv718 is already installed on this machine; this run did not install it and leaves it" \
      "alone: the package is checked unpacked into a scratch folder instead"
    check_unpacked "$deb" "$app_id"
  else
    check_installed "$deb" "$app_id"
  fi
  exec 9>&-
}

# Whether qmv718 is installed, as a package or otherwise, in the system's program folder.
qmv718_present() {
  dpkg-query -W -f='${Status}' qmv718 2>/dev/null | grep -q 'install ok installed' || [ -e /usr/lib/qmv718 ]
}

check_installed() {
  local deb=$1 app_id=$2
  trap 'remove_package; stop_background_work' EXIT
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "$deb"
  bash tests/install/check-install.sh /usr "$app_id"
  remove_package
  trap stop_background_work EXIT
  if qmv718_present; then
    echo "qmv718 is still installed after its removal" >&2
    return 1
  fi
}

check_unpacked() {
  local deb=$1 app_id=$2 root status=0
  root=$(mktemp -d)
  dpkg-deb -x "$deb" "$root"
  bash tests/install/check-install.sh "$root/usr" "$app_id" || status=$?
  rm -rf "$root"
  return "$status"
}

remove_package() {
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get purge -y -qq -o DPkg::Lock::Timeout=600 qmv718 >/dev/null
}

qt_stage() {
  local status=0
  wait "$qt_pid" || status=$?
  qt_pid=""
  cat "$qt_log"
  return "$status"
}

windows_stage() {
  # The cross-build and the Wine tests live in a script of their own. The release stage's build,
  # made in this run, is its host build: building the same programs again would cost minutes.
  local host_build=()
  has_stage release && host_build=(QMV718_WINDOWS_HOST_BUILD="$release_build")
  if [ -f scripts/test-windows.sh ]; then
    env "${host_build[@]}" bash scripts/test-windows.sh
  else
    echo "no Windows build in this checkout"
  fi
}

# Sets `cpu` to the CPU seconds (user and system) used so far by the commands this script ran.
# `times` has to run in this shell itself, not in a command substitution's subshell.
times_file=$(mktemp)
read_cpu() {
  times >"$times_file"
  cpu=$(tail -n 1 "$times_file" | awk '{ t = 0; for (i = 1; i <= NF; i++) { split($i, p, /[ms]/); t += p[1] * 60 + p[2] } printf "%d", t }')
}

timings=()
for stage in $stages; do
  printf '\n==== %s stage (%s UTC)\n' "$stage" "$(date -u +%H:%M:%S)"
  started=$SECONDS
  read_cpu
  cpu_started=$cpu
  "${stage}_stage"
  read_cpu
  timings+=("$(printf '%-10s %5d s wall %6d s CPU' "$stage" $((SECONDS - started)) $((cpu - cpu_started)))")
done
rm -f "$times_file"
printf '\n==== all stages passed\n'
printf '%s\n' "${timings[@]}"
