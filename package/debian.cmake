# The Debian package of the XScreenSaver hack: `cpack -G DEB` (or `cpack
# --preset native-release`) makes verdane_<version>-1_<arch>.deb from what
# `cmake --install` puts under /usr, with the compressed manual page,
# copyright file and changelog that Debian asks for.
if(NOT TARGET verdane_hack)
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME verdane)
set(CPACK_PACKAGE_VENDOR Tarnwell)
set(CPACK_PACKAGE_CONTACT "Tarnwell <dev@verdane.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen saver that grows green branches over the desktop")
set(CPACK_PACKAGE_DESCRIPTION "Verdane grows random, forking green branches over whatever the screen
showed. Each branch is drawn one short segment per frame: it shrinks as it
grows, bends away from the vertical, forks and dies at random, and now and
then every branch starts again on a bright spot of the picture beneath.
.
This package holds the XScreenSaver hack verdane, its settings file for
xscreensaver-settings and the command verdane. XScreenSaver offers only the
programs listed in each user's ~/.xscreensaver, and the package touches no
home folder: to list Verdane, run \"verdane --add-to-xscreensaver\" once as
that user (it keeps every other program and setting), then pick Verdane in
xscreensaver-settings. \"verdane --remove-from-xscreensaver\" takes it out.
The same program runs on Wayland compositors with the wlroots layer shell
(sway, Hyprland, labwc, river), started by swayidle or swaylock-plugin.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://verdane.invalid/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_ENHANCES xscreensaver)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Run on the staged tree before it is packed: Debian wants manual pages and
# the changelog compressed, and the copyright file in the package's doc
# folder; a plain `cmake --install` keeps the manual page as it is.
set(VERDANE_DEBIAN_FILES ${CMAKE_CURRENT_SOURCE_DIR}/debian)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/debian/stage.cmake.in ${CMAKE_CURRENT_BINARY_DIR}/debian-stage.cmake @ONLY)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_BINARY_DIR}/debian-stage.cmake)

include(CPack)
