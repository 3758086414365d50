# What a Windows program with windows needs beside it from Qt: Qt's libraries, the plugins it loads
# (the Windows and offscreen platforms, the Windows style, the image formats, the TLS backends of
# the update), Qt's own Chinese texts and a qt.conf that finds them all in the program folder.
# There is no windeployqt for a cross-build: the build copies them into the program folder, so
# that it runs (and its tests run) as it stands, and installs them with it.
if(NOT WIN32 OR NOT QMV718_GUI)
  return()
endif()

set(_qt_libraries Core Gui Widgets Network)
set(_qt_plugins
  platforms/qwindows platforms/qoffscreen
  styles/qwindowsvistastyle
  imageformats/qgif imageformats/qico imageformats/qjpeg
  tls/qschannelbackend tls/qcertonlybackend)
set(_qt_prefix ${QT6_INSTALL_PREFIX})

set(_runtime_files) # pairs: the file in Qt's installation, its folder in the program folder
foreach(_library IN LISTS _qt_libraries)
  list(APPEND _runtime_files ${_qt_prefix}/${QT6_INSTALL_BINS}/Qt6${_library}.dll .)
endforeach()
foreach(_plugin IN LISTS _qt_plugins)
  get_filename_component(_folder ${_plugin} DIRECTORY)
  list(APPEND _runtime_files ${_qt_prefix}/${QT6_INSTALL_PLUGINS}/${_plugin}.dll ${_folder})
endforeach()
# Qt's plugins link the compiler's C++ runtime as DLLs (the programs carry theirs inside).
foreach(_runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${_runtime}
    OUTPUT_VARIABLE _found OUTPUT_STRIP_TRAILING_WHITESPACE)
  list(APPEND _runtime_files ${_found} .)
endforeach()
# Qt's texts come from the build machine's Qt of the same version (qt6-translations-l10n).
find_file(QMV718_QT_CHINESE_TEXTS qtbase_zh_CN.qm
  PATHS /usr/share/qt6/translations ${_qt_prefix}/${QT6_INSTALL_TRANSLATIONS} NO_CMAKE_FIND_ROOT_PATH)
if(QMV718_QT_CHINESE_TEXTS)
  list(APPEND _runtime_files ${QMV718_QT_CHINESE_TEXTS} translations)
endif()

set(_qt_conf ${QMV718_BIN_DIR}/qt.conf)
file(WRITE ${_qt_conf}.in "[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n")
configure_file(${_qt_conf}.in ${_qt_conf} COPYONLY)
install(FILES ${_qt_conf} DESTINATION ${QMV718_INSTALL_PROGRAM_DIR})

# The tests run from the program folder too, but their library is not part of the program.
set(_test_only ${_qt_prefix}/${QT6_INSTALL_BINS}/Qt6Test.dll)
list(APPEND _runtime_files ${_test_only} .)

set(_copies)
while(_runtime_files)
  list(POP_FRONT _runtime_files _file _folder)
  if(NOT EXISTS ${_file})
    message(FATAL_ERROR "The Windows program needs ${_file}, which is missing.")
  endif()
  get_filename_component(_name ${_file} NAME)
  set(_copy ${QMV718_BIN_DIR}/${_folder}/${_name})
  add_custom_command(OUTPUT ${_copy}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_file} ${_copy}
    DEPENDS ${_file}
    VERBATIM)
  list(APPEND _copies ${_copy})
  if(NOT _file STREQUAL _test_only)
    install(FILES ${_file} DESTINATION ${QMV718_INSTALL_PROGRAM_DIR}/${_folder})
  endif()
endwhile()
add_custom_target(qmv718_qt_runtime ALL DEPENDS ${_copies})
