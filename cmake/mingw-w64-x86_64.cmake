# Cross-build for x86_64 Windows with Debian's MinGW-w64 compilers (g++-mingw-w64-x86-64).
# The posix-threads variant of the compiler is the one whose standard library has std::thread.
set(QMV718_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
