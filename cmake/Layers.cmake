# The project's layers. Every folder stands on a floor; a target links, and its files include,
# only its own folder and folders on lower floors, and only those it links directly. The manifest
# written here describes the built targets; the "layers" test reads it (cmake/CheckLayers.cmake),
# which also fails on a folder under src/ that has no floor here.

# The floors, lowest first: one entry a floor, folders relative to the source root.
set(QMV718_LAYER_FLOORS
  "src/common"
  "src/platform src/language src/widgets src/converter assets"
  "src/link src/help"
  "src/bridge src/image src/remote"
  "src/learning src/transfer"
  "src/update"
  "src/cli src/app"
  "tools/screenshots")
# Folders whose every subfolder must stand on a floor.
set(QMV718_LAYER_ROOTS src)

set(QMV718_LAYER_MANIFEST ${PROJECT_BINARY_DIR}/layers.manifest)

include(${CMAKE_CURRENT_LIST_DIR}/LayerFolder.cmake)

function(_qmv718_layer_directories dir out)
  set(_all ${dir})
  get_property(_subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(_subdir IN LISTS _subdirs)
    _qmv718_layer_directories(${_subdir} _below)
    list(APPEND _all ${_below})
  endforeach()
  set(${out} ${_all} PARENT_SCOPE)
endfunction()

# Called once every folder has been added: lists the floors and, for every library and program
# defined in a declared folder, the folders it links and its source files.
function(qmv718_write_layer_manifest)
  set(_lines)
  set(_folders)
  set(_floor 0)
  foreach(_entry IN LISTS QMV718_LAYER_FLOORS)
    string(REPLACE " " ";" _names "${_entry}")
    foreach(_name IN LISTS _names)
      list(APPEND _folders ${PROJECT_SOURCE_DIR}/${_name})
      list(APPEND _lines "floor|${PROJECT_SOURCE_DIR}/${_name}|${_floor}")
    endforeach()
    math(EXPR _floor "${_floor} + 1")
  endforeach()
  foreach(_root IN LISTS QMV718_LAYER_ROOTS)
    list(APPEND _lines "root|${PROJECT_SOURCE_DIR}/${_root}")
  endforeach()

  _qmv718_layer_directories(${PROJECT_SOURCE_DIR} _dirs)
  foreach(_dir IN LISTS _dirs)
    qmv718_layer_folder(${_dir} "${_folders}" _own)
    if(NOT _own IN_LIST _folders)
      continue()
    endif()
    get_property(_targets DIRECTORY ${_dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(_target IN LISTS _targets)
      get_target_property(_type ${_target} TYPE)
      if(NOT _type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|EXECUTABLE)$")
        continue()
      endif()
      set(_linked)
      get_target_property(_links ${_target} LINK_LIBRARIES)
      foreach(_link IN LISTS _links)
        if(TARGET ${_link})
          get_target_property(_imported ${_link} IMPORTED)
          if(NOT _imported)
            get_target_property(_link_dir ${_link} SOURCE_DIR)
            qmv718_layer_folder(${_link_dir} "${_folders}" _link_folder)
            list(APPEND _linked ${_link_folder})
          endif()
        endif()
      endforeach()
      list(REMOVE_DUPLICATES _linked)
      string(REPLACE ";" "," _linked "${_linked}")
      list(APPEND _lines "target|${_target}|${_own}|${_linked}")
      get_target_property(_source_dir ${_target} SOURCE_DIR)
      get_target_property(_sources ${_target} SOURCES)
      foreach(_source IN LISTS _sources)
        if(_source MATCHES "^\\$<")
          continue()
        endif()
        cmake_path(ABSOLUTE_PATH _source BASE_DIRECTORY ${_source_dir} NORMALIZE OUTPUT_VARIABLE _file)
        if(EXISTS ${_file} AND _file MATCHES "\\.(h|hpp|c|cpp)$")
          list(APPEND _lines "file|${_target}|${_file}")
        endif()
      endforeach()
    endforeach()
  endforeach()
  string(REPLACE ";" "\n" _text "${_lines}")
  file(WRITE ${QMV718_LAYER_MANIFEST} "${_text}\n")
endfunction()
