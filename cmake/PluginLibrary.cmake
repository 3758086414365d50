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
endfunction()
