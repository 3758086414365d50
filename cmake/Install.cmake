# Where an installation puts things.
#
# The program loads its link library, its converter, its picture bundles and its help by file name
# from the folder it runs from, so an installation keeps them together in one program folder, laid
# out like the build's bin folder. The launchers in bin/ are relative links into that folder; the
# program finds its folder through the link, whatever the prefix. Its translations lie in the
# folder translations/ of the program folder.
include(GNUInstallDirs)

# On Windows the installation is the program folder itself.
if(WIN32)
  set(_program_dir .)
else()
  set(_program_dir lib/qmv718)
endif()
set(QMV718_INSTALL_PROGRAM_DIR ${_program_dir} CACHE STRING
  "The program folder, relative to the install prefix")
if(IS_ABSOLUTE "${QMV718_INSTALL_PROGRAM_DIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
  message(FATAL_ERROR "QMV718_INSTALL_PROGRAM_DIR and CMAKE_INSTALL_BINDIR must be relative to the prefix")
endif()

# The name under which the desktop knows the program: desktop entry, icons and AppStream metainfo.
set(QMV718_APP_ID org.qmv718.LearningTool)
