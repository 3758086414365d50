# Sourced by the scripts. Configures a build folder with Ninja when it is installed (it is the
# faster of the two), else with CMake's default generator; either builds everything. A folder
# that is configured already keeps the generator it has. Compiles go through ccache where it is
# installed; its cache lies outside the checkout and is keyed by paths relative to it, so a fresh
# clone of the same sources compiles from the cache.
#   qmv718_configure BUILD_FOLDER [CMAKE_OPTION...]
qmv718_configure() {
  local build=$1
  shift
  local generator=()
  if [ ! -f "$build/CMakeCache.txt" ] && [ -z "${CMAKE_GENERATOR:-}" ] && command -v ninja >/dev/null 2>&1; then
    generator=(-G Ninja)
  fi
  qmv718_use_compiler_cache
  cmake -S . -B "$build" "${generator[@]}" "${qmv718_launcher[@]}" "$@"
}

# Sets qmv718_launcher to the CMake options that put ccache in front of the compilers (none
# without it), and exports the settings its later compiles read.
qmv718_use_compiler_cache() {
  qmv718_launcher=()
  if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
    qmv718_launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
}
