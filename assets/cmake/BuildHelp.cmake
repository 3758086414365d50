# Compiles the help pages into studyhelp.chm. Run with cmake -P and:
#   HELP_SOURCE   the folder of the help sources (UTF-8)
#   HELP_PICTURES the folder of the pictures the generator drew for the help
#   WORK_DIR      a scratch folder
#   CHMCMD, ICONV the tools
#   OUTPUT        the .chm to write
# The help viewer reads pages, contents and index in the project's code page, so the sources are
# converted from UTF-8 to GBK (the Simplified Chinese code page) before compiling.

foreach(_var HELP_SOURCE HELP_PICTURES WORK_DIR CHMCMD ICONV OUTPUT)
  if(NOT DEFINED ${_var})
    message(FATAL_ERROR "BuildHelp.cmake: ${_var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/images)

file(GLOB _sources LIST_DIRECTORIES false RELATIVE ${HELP_SOURCE} ${HELP_SOURCE}/*)
foreach(_name IN LISTS _sources)
  get_filename_component(_ext ${_name} LAST_EXT)
  if(_ext MATCHES "^\\.(html|hhc|hhk|hhp)$")
    file(READ ${HELP_SOURCE}/${_name} _text)
    string(REPLACE "charset=utf-8" "charset=gb2312" _text "${_text}")
    file(WRITE ${WORK_DIR}/${_name}.utf8 "${_text}")
    execute_process(
      COMMAND ${ICONV} -f UTF-8 -t GBK ${WORK_DIR}/${_name}.utf8
      OUTPUT_FILE ${WORK_DIR}/${_name}
      RESULT_VARIABLE _result)
    if(NOT _result EQUAL 0)
      message(FATAL_ERROR "${_name}: text that the GBK code page cannot hold")
    endif()
    file(REMOVE ${WORK_DIR}/${_name}.utf8)
  else()
    file(COPY ${HELP_SOURCE}/${_name} DESTINATION ${WORK_DIR})
  endif()
endforeach()

file(GLOB _pictures ${HELP_PICTURES}/*.png)
file(COPY ${_pictures} DESTINATION ${WORK_DIR}/images)

execute_process(
  COMMAND ${CHMCMD} --no-html-scan studyhelp.hhp
  WORKING_DIRECTORY ${WORK_DIR}
  RESULT_VARIABLE _result
  OUTPUT_VARIABLE _log
  ERROR_VARIABLE _log)
if(NOT _result EQUAL 0 OR NOT EXISTS ${WORK_DIR}/studyhelp.chm)
  message(FATAL_ERROR "chmcmd failed:\n${_log}")
endif()
get_filename_component(_out_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${_out_dir})
file(COPY_FILE ${WORK_DIR}/studyhelp.chm ${OUTPUT})
