# The Debian package, made by CPack from the install rules (scripts/package):
# build/vidodez_<version>_<arch>.deb. Its dependencies are computed from the
# programs and the ImageMagick module by dpkg-shlibdeps, never listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vidodez)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VIDODEZ_MAINTAINER}")
set(CPACK_PACKAGE_VENDOR "MarliX Printing Systems")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "set up and maintain thermal label printers on USB")
set(CPACK_PACKAGE_DESCRIPTION
  "MarliX Vidodez Tool configures and maintains the maker's thermal label\n"
  "printers attached by USB: live status, settings, maintenance actions, a\n"
  "command console, stored forms, fonts and graphics, picture conversion to\n"
  "PCX, TrueType font download, firmware upload, network settings and ping, in\n"
  "English and Chinese.\n"
  "\n"
  "The package holds the window (vidodez), every operation for scripts and\n"
  "automation tools (vidodez-cli, with JSON output) and a simulated printer\n"
  "(vidodez-printer-sim). A udev rule lets the user at the seat open the\n"
  "printers without root.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the display's platform plugin at run time, so no library names it
# and dpkg-shlibdeps cannot find it; without one the window cannot open. The
# simulated printer reads its resident fonts' face from fonts-dejavu-core.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.marlix-printers.example)
# Qt's extra picture formats and the opener of help files and links are used
# when present; nothing links them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Folders the package shares with others are not its own to own or remove.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)
