# Cross-build for i686 Windows with Debian's MinGW-w64 compilers (g++-mingw-w64-i686).
# The posix-threads variant of the compiler is the one whose standard library has std::thread.
set(QMV718_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
