# Cross-build for x86_64 Windows with the windows: the MinGW-w64 toolchain, with Qt for Windows
# (scripts/build-qt-windows.sh) at QMV718_WINDOWS_QT among the places packages are found.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
if(QMV718_WINDOWS_QT)
  list(APPEND CMAKE_FIND_ROOT_PATH ${QMV718_WINDOWS_QT})
endif()
