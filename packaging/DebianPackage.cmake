# The Debian package. `cpack -G DEB` in a build tree (scripts/package does
# it all) makes tandry-widget_<version>_<architecture>.deb from the install
# rules, with the prefix /usr, and its debug symbols beside it in
# tandry-widget-dbgsym_<version>_<architecture>.ddeb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tandry-widget)
set(CPACK_PACKAGE_VENDOR Tandry)
set(CPACK_PACKAGE_CONTACT "Tandry widget maintainers <widget@tandry.app>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "The tasks that are ready now, on the desktop")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "A desktop widget for the Tandry task manager: a card on the desktop that\n"
  "lists the tasks that are ready now, in three sizes, light and dark, with a\n"
  "circle to tick each. The tandry-widget command answers the widget's\n"
  "requests as JSON and draws its card into PNG, SVG or PDF files. The\n"
  "tandry-widget-bridge command shows the ready tasks of Taskwarrior or of the\n"
  "desktop's task lists (Evolution Data Server) on the card and completes the\n"
  "tasks ticked there.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The libraries the programs link come from dpkg-shlibdeps. What it cannot
# see is named here: the card's font (Inter) and the monospaced one, and the
# locale data that a language named by LANG needs; the fonts of other
# scripts (Arabic, Hebrew, CJK) and colour emoji are recommended, which apt
# installs as well unless told not to.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-inter, fonts-dejavu-core, locales | locales-all")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-core, fonts-wqy-microhei, fonts-noto-color-emoji")
# tandry-widget-bridge shows Taskwarrior's tasks, or the desktop's task lists
# kept by Evolution Data Server, on the card; the widget works without them.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "taskwarrior, evolution-data-server")

# The programs are stripped; their debug symbols go to the -dbgsym package
# under /usr/lib/debug/.build-id, where debuggers look for them. This needs
# a build with -g (scripts/package builds so).
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)

include(CPack)
