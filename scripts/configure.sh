# Sourced by the scripts. Configures a build folder with Ninja when it is installed (it is the
# faster of the two), else with CMake's default generator; either builds everything. A folder
# that is configured already keeps the generator it has.
#   qmv718_configure BUILD_FOLDER [CMAKE_OPTION...]
qmv718_configure() {
  local build=$1
  shift
  local generator=()
  if [ ! -f "$build/CMakeCache.txt" ] && [ -z "${CMAKE_GENERATOR:-}" ] && command -v ninja >/dev/null 2>&1; then
    generator=(-G Ninja)
  fi
  cmake -S . -B "$build" "${generator[@]}" "$@"
}
