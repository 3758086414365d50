# The encoding of captured signals: plain C++, shared by the learning workflow, the converter's
# tests and the code benchmark.
add_library(qmv718_encoding STATIC
  ${CMAKE_CURRENT_LIST_DIR}/CaptureEncoding.h
  ${CMAKE_CURRENT_LIST_DIR}/CaptureEncoding.cpp)
target_include_directories(qmv718_encoding PUBLIC ${CMAKE_CURRENT_LIST_DIR})
if(QMV718_FUZZ)
  target_compile_options(qmv718_encoding PRIVATE -fsanitize=fuzzer-no-link)
endif()
