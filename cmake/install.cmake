# The install layout (GNUInstallDirs) and the Debian package. Components: runtime (the
# programs, their data, the desktop integration) and udev (the rule that opens the mouse's
# nodes to the user at the seat).

# Only the shipped files: a lock, journal or temporary that a run against the build tree's
# defaults left there is not the package's.
install(DIRECTORY ${P330_BUILD_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/p330 COMPONENT runtime
        PATTERN ".p330*" EXCLUDE PATTERN "*.p330-tmp-*" EXCLUDE)

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

# Shell completion beside bash's (installed with p330ctl): each asks p330ctl for its words.
install(FILES data/_p330ctl DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions
        COMPONENT runtime)
install(FILES data/p330ctl.fish DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d
        COMPONENT runtime)

# Who answers for the package; a distributor sets their own.
set(P330_PACKAGE_MAINTAINER
    "P330 configurator developers <maintainers@users.noreply.c-seed-5fc94071.example>"
    CACHE STRING "The Debian package's maintainer: a name and an address")

# Debian's documents: the machine-readable copyright file and the changelog, compressed as
# Debian wants them. Manual pages are compressed where they are installed, after every rule
# of the tree has put them there.
set(P330_DEBIAN_DOC_DIR ${CMAKE_BINARY_DIR}/debian-doc)
configure_file(data/debian/copyright ${P330_DEBIAN_DOC_DIR}/copyright @ONLY)
configure_file(data/debian/changelog ${P330_DEBIAN_DOC_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${P330_DEBIAN_DOC_DIR}/changelog.gz
                   COMMAND gzip -9nf -k ${P330_DEBIAN_DOC_DIR}/changelog
                   DEPENDS ${P330_DEBIAN_DOC_DIR}/changelog VERBATIM)
add_custom_target(debian_doc ALL DEPENDS ${P330_DEBIAN_DOC_DIR}/changelog.gz)
install(FILES ${P330_DEBIAN_DOC_DIR}/copyright ${P330_DEBIAN_DOC_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT runtime)
install(CODE "
  file(GLOB pages \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_MANDIR}/man1/*.1\")
  foreach(page IN LISTS pages)
    execute_process(COMMAND gzip -9nf \"\${page}\" COMMAND_ERROR_IS_FATAL ANY)
  endforeach()" COMPONENT runtime)

# cpack -G DEB: one package with both components; its dependencies come from the shared
# libraries the programs link (dpkg-shlibdeps).
set(CPACK_PACKAGE_NAME p330)
set(CPACK_PACKAGE_VENDOR "P330 configurator developers")
set(CPACK_PACKAGE_CONTACT ${P330_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${P330_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
# The synopsis comes first from the summary; Debian wraps nothing: lines of at most 80
# columns, as they are shown.
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
       "Sets the P330 wired eight-button gaming mouse's button functions, its four DPI"
       "stages and their colours, the lighting, the report rate, X/Y sensitivity and"
       "angle snap, and the keyboard macros the mouse stores and plays by itself."
       "Six named profiles are kept on disk and can be imported and exported."
       "."
       "The package holds the skinned desktop program p330 (Qt 6), the command-line"
       "tool p330ctl for terminals and scripts, and a udev rule that gives the user"
       "at the seat access to the mouse. Both programs can also work against a"
       "simulated mouse. They speak English, simplified and traditional Chinese.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_COMPONENTS_ALL runtime udev)
set(CPACK_DEB_COMPONENT_INSTALL OFF)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The desktop's pointer settings are set through its own programs: gdbus and gsettings
# (GNOME, KDE Plasma's KWin, the session bus), xinput (X11). Those of Plasma and Xfce come with
# them. On a Wayland desktop the window is a Wayland client only with Qt's Wayland plugin;
# without it Qt falls back to XWayland, where placement and activation are the X server's.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libglib2.0-bin, xinput, qt6-wayland")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
include(CPack)
