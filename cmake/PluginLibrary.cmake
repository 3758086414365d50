# A shared library named like the platform's own link and converter libraries: the same file name
# on every system, loaded by that name from the program's folder.
function(qmv718_plugin_library target file_name)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${file_name}
    SUFFIX ".dll"
    C_VISIBILITY_PRESET hidden
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  # 32-bit Windows decorates __stdcall exports as name@bytes; the maker's libraries export the
  # plain names, and so must ours, or GetProcAddress("link_state") finds nothing.
  if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${target} PRIVATE -Wl,--kill-at)
  endif()
endfunction()
