# The Debian package of the programs: `cpack -G DEB` in a built tree (scripts/package.sh makes one from a
# fresh, optimised build installed below /usr). Its dependencies are the runtime libraries the programs
# link (found by dpkg-shlibdeps) and what they load or look for at run time: Qt's platform plugins and
# the fonts the plots name. Everything goes below the prefix, nothing into /etc, and there are no
# maintainer scripts: an upgrade replaces the programs and never touches a person's files (their
# program directory lies in their home).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME keltor-morvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR ORVE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "X-ray powder diffraction raw data workbench and 3D viewer")
# The long description; cpack puts the summary above it and indents its lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "keltor lists, plots, edits, exports and imports the raw data files of powder
diffractometers; morvane draws a series of scans as a waterfall or a top-view
colour map. keltor-cli and morvane-cli do the same from a shell.")
set(KM_PACKAGE_MAINTAINER "keltor-morvane developers <keltor-morvane@localhost>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KM_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(KM_BUILD_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
include(CPack)
