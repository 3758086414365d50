# The Windows installer qmv718-setup-<version>-x64.exe, built by the target "installer" with NSIS
# (Debian package nsis) from what the build installs.
find_program(QMV718_MAKENSIS makensis)
if(NOT QMV718_MAKENSIS OR NOT TARGET qmv718 OR NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
  return()
endif()
set(QMV718_INSTALLER ${CMAKE_BINARY_DIR}/qmv718-setup-${PROJECT_VERSION}-x64.exe)
add_custom_target(installer
  COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DSTAGE=${CMAKE_BINARY_DIR}/installer/qmv718
    -DMAKENSIS=${QMV718_MAKENSIS} -DSCRIPT=${CMAKE_CURRENT_SOURCE_DIR}/windows/qmv718.nsi
    -DVERSION=${PROJECT_VERSION} -DOUTFILE=${QMV718_INSTALLER}
    -P ${CMAKE_CURRENT_SOURCE_DIR}/windows/BuildInstaller.cmake
  BYPRODUCTS ${QMV718_INSTALLER}
  COMMENT "Building ${QMV718_INSTALLER}"
  VERBATIM)
