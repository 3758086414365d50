# The "update" subcommands of qmv718-cli: the online update run headless on the update core.
find_package(CLI11 CONFIG REQUIRED)
add_library(qmv718_cli_update STATIC
  ${CMAKE_CURRENT_LIST_DIR}/UpdateCommands.h
  ${CMAKE_CURRENT_LIST_DIR}/UpdateCommands.cpp)
target_include_directories(qmv718_cli_update PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(qmv718_cli_update PUBLIC CLI11::CLI11 qmv718_update_core)
