# The install layout (GNUInstallDirs) and the Debian package. Components: runtime (the
# programs, their data, the desktop integration) and udev (the rule that opens the mouse's
# nodes to the user at the seat).

install(DIRECTORY ${P330_BUILD_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/p330 COMPONENT runtime)

# The udev rule goes where this system's udev reads packaged rules.
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_get_variable(P330_UDEV_DIR udev udevdir)
endif()
if(P330_UDEV_DIR)
  set(P330_UDEV_RULES_DEFAULT ${P330_UDEV_DIR}/rules.d)
else()
  set(P330_UDEV_RULES_DEFAULT ${CMAKE_INSTALL_PREFIX}/lib/udev/rules.d)
endif()
set(P330_UDEV_RULES_DIR ${P330_UDEV_RULES_DEFAULT} CACHE PATH "Where the udev rule is installed")
install(FILES data/70-p330.rules DESTINATION ${P330_UDEV_RULES_DIR} COMPONENT udev)

set(P330_APP_ID io.github.p330.Configurator)
if(P330_GUI)
  install(FILES data/${P330_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
          COMPONENT runtime)
  install(FILES data/${P330_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
          COMPONENT runtime)
  install(DIRECTORY ${P330_GENERATED_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
          COMPONENT runtime)
  install(FILES data/p330.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT runtime)
endif()
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT runtime)

# cpack -G DEB: one package with both components; its dependencies come from the shared
# libraries the programs link (dpkg-shlibdeps).
set(CPACK_PACKAGE_NAME p330)
set(CPACK_PACKAGE_VENDOR "P330 configurator developers")
set(CPACK_PACKAGE_CONTACT "P330 configurator developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_PACKAGE_DESCRIPTION
    "Sets the P330 mouse's buttons, DPI stages, lighting, report rate and macros from a skinned desktop program (p330) or the terminal (p330ctl).")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_COMPONENTS_ALL runtime udev)
set(CPACK_DEB_COMPONENT_INSTALL OFF)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
include(CPack)
