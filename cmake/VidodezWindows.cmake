# The Windows folder: the programs with everything they need beside them, so
# that it runs as it is wherever it is copied (scripts/build-windows installs
# it into DIR/dist), and its NSIS installer and zip, made by CPack from the
# same rules. The program folder is the programs' own: the data files, the
# help files and the "Firmware" folder lie beside them.
install(TARGETS vidodez-cli vidodez-printer-sim RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/data/MARLIX.dat DESTINATION .)
# The firmware page lists this folder; firmware images are put there by hand.
install(DIRECTORY DESTINATION Firmware)
if(TARGET vidodez)
  install(TARGETS vidodez RUNTIME DESTINATION .)
  install(FILES ${CMAKE_BINARY_DIR}/bin/SkinRes.dat
    ${PROJECT_SOURCE_DIR}/skins/help/Zudovad_EV.ize ${PROJECT_SOURCE_DIR}/skins/help/Virizor_OD.evi
    DESTINATION .)
endif()

# The MinGW runtime of Debian's posix-thread compilers.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "the MinGW runtime ${dll} is missing (g++-mingw-w64-x86-64-posix)")
  endif()
  install(FILES ${path} DESTINATION .)
endforeach()

# Qt's libraries and the plugins it loads at run time: the Windows platform
# (and the offscreen and minimal ones, for runs without a display), the
# Vista style and the picture formats.
if(TARGET vidodez_imaging)
  # Qt's targets are the folders' that found them: found again here.
  find_package(Qt6 REQUIRED COMPONENTS Core)
  get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
  get_filename_component(qt_bin ${qt_core_dll} DIRECTORY)
  get_filename_component(qt_root ${qt_bin} DIRECTORY)
  set(qt_dlls Qt6Core.dll Qt6Gui.dll)
  if(TARGET vidodez)
    list(APPEND qt_dlls Qt6Widgets.dll Qt6UiTools.dll Qt6OpenGL.dll Qt6OpenGLWidgets.dll)
  endif()
  list(TRANSFORM qt_dlls PREPEND ${qt_bin}/)
  install(FILES ${qt_dlls} DESTINATION .)
  install(DIRECTORY ${qt_root}/plugins/platforms ${qt_root}/plugins/imageformats
    ${qt_root}/plugins/styles DESTINATION . FILES_MATCHING PATTERN "*.dll")
endif()

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME vidodez)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "MarliX Printing Systems")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "set up and maintain thermal label printers on USB")
set(CPACK_PACKAGE_FILE_NAME vidodez-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "MarliX Vidodez Tool")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/dist/debian/copyright)
set(CPACK_NSIS_DISPLAY_NAME "MarliX Vidodez Tool ${PROJECT_VERSION}")
set(CPACK_NSIS_PACKAGE_NAME "MarliX Vidodez Tool")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The Start menu holds the window, and the program folder, where the
# command line and the simulated printer lie; the installer brings an
# uninstaller, which the Start menu names too.
if(TARGET vidodez)
  set(CPACK_PACKAGE_EXECUTABLES vidodez "MarliX Vidodez Tool")
  set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
endif()
set(CPACK_NSIS_MENU_LINKS "." "MarliX Vidodez Tool folder")
include(CPack)
