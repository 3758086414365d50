# Collects every marked text of the sources into one .ts file, keeping the translations it
# already holds. The one place that says how lupdate reads this project; run with cmake -P and:
#   LUPDATE     the lupdate program
#   SOURCE_DIR  the project's top folder
#   TS_FILE     the .ts file to write (created when missing)
#   LANGUAGE    the language of the translation, e.g. en

foreach(_var LUPDATE SOURCE_DIR TS_FILE LANGUAGE)
  if(NOT DEFINED ${_var})
    message(FATAL_ERROR "UpdateTranslations.cmake: ${_var} is not set")
  endif()
endforeach()

# Without line numbers in the file, moving code about does not touch the translations.
execute_process(
  COMMAND ${LUPDATE} -silent -locations none -no-obsolete -no-ui-lines
          -source-language zh_CN -target-language ${LANGUAGE}
          ${SOURCE_DIR}/src ${SOURCE_DIR}/assets/generator
          -ts ${TS_FILE}
  RESULT_VARIABLE _result
  OUTPUT_VARIABLE _log
  ERROR_VARIABLE _log)
if(NOT _result EQUAL 0)
  message(FATAL_ERROR "lupdate failed:\n${_log}")
endif()
if(_log MATCHES "[Ww]arning|[Ee]rror")
  message(FATAL_ERROR "lupdate:\n${_log}")
endif()
