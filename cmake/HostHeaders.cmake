# The header-only libraries the core uses (CLI11, nlohmann-json). A native build finds their
# packages; a cross-build takes the same Debian headers through a folder of its own, because
# putting the host's /usr/include on a cross compiler's path would mix in the host's C library.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(CLI11 CONFIG REQUIRED)
  find_package(nlohmann_json REQUIRED)
  return()
endif()

set(_host_headers ${CMAKE_BINARY_DIR}/host-headers)
function(qmv718_host_header_library target header_dir)
  if(NOT EXISTS /usr/include/${header_dir})
    message(FATAL_ERROR "/usr/include/${header_dir} is missing: run scripts/setup.sh")
  endif()
  file(MAKE_DIRECTORY ${_host_headers})
  file(CREATE_LINK /usr/include/${header_dir} ${_host_headers}/${header_dir} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${_host_headers})
endfunction()
qmv718_host_header_library(CLI11::CLI11 CLI)
qmv718_host_header_library(nlohmann_json::nlohmann_json nlohmann)
