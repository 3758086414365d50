# The tree keeps warnings at zero; the test build (scripts/test.sh) makes every warning, of the
# compiler and of clang-tidy, an error so that none can slip in.
option(QMV718_WARNINGS_AS_ERRORS "Fail the build on any compiler or clang-tidy warning" OFF)
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wno-missing-field-initializers
  $<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor>)
if(QMV718_WARNINGS_AS_ERRORS)
  set(CMAKE_COMPILE_WARNING_AS_ERROR ON)
endif()
