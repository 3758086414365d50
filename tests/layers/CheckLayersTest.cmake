# cmake -DCHECK=<cmake/CheckLayers.cmake> -DWORK=<scratch folder> -P CheckLayersTest.cmake
# Runs the layers check over a small tree of two folders, "low" on floor 0 and "high" on floor 1,
# once clean and once with each kind of reach across the layers, and expects it to pass only the
# clean tree and to name the reach in every other case.
cmake_minimum_required(VERSION 3.25)

# Writes the tree: every case starts from the clean one and changes one thing.
function(write_tree case)
  file(REMOVE_RECURSE "${WORK}")
  set(low_cpp "#include \"Low.h\"\n#include <vector>\n")
  set(low_links "")
  if(case STREQUAL "relative include")
    string(APPEND low_cpp "#include \"../high/High.h\"\n")
  elseif(case STREQUAL "angle include")
    string(APPEND low_cpp "#include <High.h>\n")
  elseif(case STREQUAL "folder-relative include")
    string(APPEND low_cpp "#include \"high/High.h\"\n")
  elseif(case STREQUAL "upward link")
    set(low_links "${WORK}/src/high")
  elseif(case STREQUAL "undeclared folder")
    file(WRITE "${WORK}/src/extra/Extra.h" "#pragma once\n")
  endif()
  file(WRITE "${WORK}/src/low/Low.h" "#pragma once\n")
  file(WRITE "${WORK}/src/low/Low.cpp" "${low_cpp}")
  file(WRITE "${WORK}/src/high/High.h" "#pragma once\n#include \"Low.h\"\n")
  file(WRITE "${WORK}/src/high/High.cpp" "#include \"High.h\"\n#include <Low.h>\n#include \"../low/Low.h\"\n")
  file(WRITE "${WORK}/layers.manifest"
    "floor|${WORK}/src/low|0\n"
    "floor|${WORK}/src/high|1\n"
    "root|${WORK}/src\n"
    "target|t_low|${WORK}/src/low|${low_links}\n"
    "target|t_high|${WORK}/src/high|${WORK}/src/low\n"
    "file|t_low|${WORK}/src/low/Low.h\n"
    "file|t_low|${WORK}/src/low/Low.cpp\n"
    "file|t_high|${WORK}/src/high/High.h\n"
    "file|t_high|${WORK}/src/high/High.cpp\n")
endfunction()

# case|what the check must say (empty: it must pass)
set(cases
  "clean|"
  "relative include|Low.cpp: includes \"../high/High.h from .*/src/high, which t_low does not link"
  "angle include|Low.cpp: includes <High.h from .*/src/high, which t_low does not link"
  "folder-relative include|Low.cpp: includes \"high/High.h from .*/src/high"
  "upward link|t_low \\(.*/src/low, floor 0\\) links upward into .*/src/high \\(floor 1\\)"
  "undeclared folder|/src/extra has no floor")

set(failures 0)
foreach(entry IN LISTS cases)
  string(FIND "${entry}" "|" split)
  string(SUBSTRING "${entry}" 0 ${split} case)
  math(EXPR rest "${split} + 1")
  string(SUBSTRING "${entry}" ${rest} -1 expected)
  write_tree("${case}")
  execute_process(COMMAND ${CMAKE_COMMAND} -DMANIFEST=${WORK}/layers.manifest -P ${CHECK}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(expected STREQUAL "")
    if(NOT result EQUAL 0)
      message(SEND_ERROR "${case}: the check failed a clean tree:\n${out}")
      math(EXPR failures "${failures} + 1")
    endif()
  elseif(result EQUAL 0 OR NOT out MATCHES "${expected}")
    message(SEND_ERROR "${case}: expected a failure saying '${expected}', got (${result}):\n${out}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} case(s) of the layers check went wrong")
endif()
