# Builds the Windows installer: installs the build into a staging folder, lists what the
# uninstaller removes, and runs makensis.
#   cmake -DBUILD_DIR=... -DSTAGE=... -DMAKENSIS=... -DSCRIPT=.../qmv718.nsi -DVERSION=... -DOUTFILE=...
#         -P BuildInstaller.cmake
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE} --strip
  RESULT_VARIABLE _failed OUTPUT_QUIET)
if(_failed)
  message(FATAL_ERROR "Installing the build into ${STAGE} failed")
endif()

# Deepest first, so that each folder is empty when its turn comes.
file(GLOB_RECURSE _files RELATIVE ${STAGE} LIST_DIRECTORIES false ${STAGE}/*)
file(GLOB_RECURSE _entries RELATIVE ${STAGE} LIST_DIRECTORIES true ${STAGE}/*)
set(_folders)
foreach(_entry IN LISTS _entries)
  if(IS_DIRECTORY ${STAGE}/${_entry})
    list(APPEND _folders ${_entry})
  endif()
endforeach()
list(SORT _folders ORDER DESCENDING)
set(_lines)
foreach(_file IN LISTS _files)
  string(REPLACE "/" "\\" _file ${_file})
  string(APPEND _lines "Delete \"$INSTDIR\\${_file}\"\n")
endforeach()
foreach(_folder IN LISTS _folders)
  string(REPLACE "/" "\\" _folder ${_folder})
  string(APPEND _lines "RMDir \"$INSTDIR\\${_folder}\"\n")
endforeach()
set(_list ${STAGE}-files.nsh)
file(WRITE ${_list} "${_lines}")

execute_process(COMMAND ${MAKENSIS} -V2 -DVERSION=${VERSION} -DSTAGE=${STAGE} -DFILES=${_list}
    -DOUTFILE=${OUTFILE} ${SCRIPT}
  RESULT_VARIABLE _failed)
if(_failed)
  message(FATAL_ERROR "makensis could not build ${OUTFILE}")
endif()
