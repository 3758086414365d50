# Shared part of the MinGW-w64 toolchain files; QMV718_MINGW_TRIPLE names the target.
set(CMAKE_SYSTEM_NAME Windows)
if(QMV718_MINGW_TRIPLE MATCHES "^i686")
  set(CMAKE_SYSTEM_PROCESSOR x86)
else()
  set(CMAKE_SYSTEM_PROCESSOR AMD64)
endif()

set(CMAKE_C_COMPILER ${QMV718_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QMV718_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QMV718_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QMV718_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs that carry their runtime inside: nothing to ship beside them but the maker's DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# FindZLIB would otherwise take the import library and make the programs need zlib1.dll.
set(ZLIB_USE_STATIC_LIBS ON)
