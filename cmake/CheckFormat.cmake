# Checks that every C and C++ source of the project is laid out as .clang-format says, and names
# each one that is not.
#   cmake -DCLANG_FORMAT=clang-format -DSOURCE_DIR=<checkout> -P CheckFormat.cmake
set(_sources)
foreach(_folder src tests bench tools assets)
  file(GLOB_RECURSE _found LIST_DIRECTORIES false
    "${SOURCE_DIR}/${_folder}/*.c" "${SOURCE_DIR}/${_folder}/*.cpp" "${SOURCE_DIR}/${_folder}/*.h")
  list(APPEND _sources ${_found})
endforeach()
list(LENGTH _sources _count)
if(_count EQUAL 0)
  message(FATAL_ERROR "no sources found under ${SOURCE_DIR}")
endif()

set(_unformatted)
foreach(_source IN LISTS _sources)
  execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${_source}
    RESULT_VARIABLE _status OUTPUT_QUIET ERROR_QUIET)
  if(NOT _status EQUAL 0)
    file(RELATIVE_PATH _name ${SOURCE_DIR} ${_source})
    list(APPEND _unformatted ${_name})
  endif()
endforeach()
if(_unformatted)
  list(JOIN _unformatted "\n  " _list)
  message(FATAL_ERROR "Not laid out as .clang-format says (clang-format -i FILE mends it):\n  ${_list}")
endif()
message(STATUS "${_count} sources laid out as .clang-format says")
