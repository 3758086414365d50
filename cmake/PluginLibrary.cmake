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
  qmv718_loaded_library_tls(${target})
  # 32-bit Windows decorates __stdcall exports as name@bytes; the maker's libraries export the
  # plain names, and so must ours, or GetProcAddress("link_state") finds nothing.
  if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${target} PRIVATE -Wl,--kill-at)
  endif()
endfunction()

# For code that ends up in a library loaded at run time. Its thread_local variables (and their
# guards) are reached at a fixed offset in the thread's static TLS, where glibc keeps room for a
# few small dlopen'ed ones, instead of through __tls_get_addr. That call is where LeakSanitizer
# records dynamic TLS blocks, and the runtime we test with can misjudge the size of a block taken
# from its own heap and crash scanning it at exit, depending only on the memory layout.
function(qmv718_loaded_library_tls target)
  if(UNIX AND NOT APPLE)
    target_compile_options(${target} PRIVATE -ftls-model=initial-exec)
  endif()
endfunction()
