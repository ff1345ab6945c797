# A Debian package of the installed files: `cpack -G DEB` in the build folder.
# dpkg-shlibdeps works out the libraries' packages; the charts' font is named
# here, as nothing links to it. Without the Wayland platform plugin Vornel
# cannot start on a Wayland-only desktop, but X11 and XWayland need none.
set(CPACK_PACKAGE_NAME vornel)
set(CPACK_PACKAGE_VENDOR "The Vornel developers")
set(CPACK_PACKAGE_CONTACT "The Vornel developers <vornel@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tap-drill reference in Japanese")
set(CPACK_PACKAGE_DESCRIPTION
  "Vornel shows, for ten thread families, the drill for each tapped hole and\n\
the limits of the internal thread's minor diameter, in a Japanese interface.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/vornel/vornel")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-ipafont-gothic)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)

include(CPack)
