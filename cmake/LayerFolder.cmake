# Shared by the layers manifest (cmake/Layers.cmake) and its check (cmake/CheckLayers.cmake).
# Sets OUT to the folder of FOLDERS that holds PATH, or to PATH itself when none does.
function(qmv718_layer_folder path folders out)
  set(_found ${path})
  foreach(_folder IN LISTS folders)
    string(FIND "${path}/" "${_folder}/" _at)
    if(_at EQUAL 0)
      set(_found ${_folder})
      break()
    endif()
  endforeach()
  set(${out} ${_found} PARENT_SCOPE)
endfunction()
