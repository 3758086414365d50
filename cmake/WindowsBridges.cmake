# The link bridge built for Windows, carried in the program folder so that the maker's Windows
# libraries can be used where the program itself cannot load them: a 64-bit Windows program
# reaches 32-bit libraries through the 32-bit bridge; a program for another system reaches
# either kind through the bridge of their word size, run under Wine. The bridges are cross-built
# with MinGW-w64, as a project of their own, whenever its compilers are installed.
set(QMV718_WINDOWS_BRIDGES AUTO CACHE STRING
  "Build the Windows link bridges: ON, OFF, or AUTO (when the MinGW-w64 compilers are installed)")
set_property(CACHE QMV718_WINDOWS_BRIDGES PROPERTY STRINGS AUTO ON OFF)

if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(_bridge_sizes 32)
elseif(WIN32 OR QMV718_WINDOWS_BRIDGES STREQUAL "OFF")
  set(_bridge_sizes)
else()
  set(_bridge_sizes 32 64)
endif()

include(ExternalProject)
set(_launcher)
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(_launcher -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER}
    -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER})
endif()
set(QMV718_WINDOWS_BRIDGE_FILES)
foreach(_bits IN LISTS _bridge_sizes)
  if(_bits EQUAL 32)
    set(_arch i686)
  else()
    set(_arch x86_64)
  endif()
  find_program(QMV718_MINGW_${_arch} ${_arch}-w64-mingw32-g++-posix)
  if(NOT QMV718_MINGW_${_arch})
    if(QMV718_WINDOWS_BRIDGES STREQUAL "ON")
      message(FATAL_ERROR "The ${_bits}-bit Windows link bridge needs ${_arch}-w64-mingw32-g++-posix "
        "(Debian package: g++-mingw-w64-${_arch}); or set QMV718_WINDOWS_BRIDGES=OFF.")
    endif()
    message(STATUS "No ${_bits}-bit Windows link bridge: ${_arch}-w64-mingw32-g++-posix is not installed")
    continue()
  endif()
  set(_name qmv718-linkbridge-win${_bits}.exe)
  set(_build ${CMAKE_BINARY_DIR}/windows-bridge-${_arch})
  ExternalProject_Add(qmv718_windows_bridge_${_bits}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${_build}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64-${_arch}.cmake
      -DCMAKE_BUILD_TYPE=Release -DQMV718_GUI=OFF -DQMV718_TESTS=OFF -DQMV718_BENCH=OFF
      -DQMV718_WINDOWS_BRIDGES=OFF ${_launcher}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${_build} --target qmv718-linkbridge
    INSTALL_COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_build}/bin/qmv718-linkbridge.exe
      ${QMV718_BIN_DIR}/${_name}
    BUILD_BYPRODUCTS ${QMV718_BIN_DIR}/${_name}
    # The bridge's sources are this project's: let its own build decide what is out of date.
    BUILD_ALWAYS ON)
  list(APPEND QMV718_WINDOWS_BRIDGE_FILES ${QMV718_BIN_DIR}/${_name})
  install(PROGRAMS ${QMV718_BIN_DIR}/${_name} DESTINATION ${QMV718_INSTALL_PROGRAM_DIR})
endforeach()
