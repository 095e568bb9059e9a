# SPDX-License-Identifier: GPL-3.0-or-later
# Installation and the Debian package. The package is whatever `cmake --install` puts in place, so every
# install() rule of the project (the programs, modules loaded on first use, desktop files) ends up in it.
include(GNUInstallDirs)

set(TW_APP_ID "org.tickwell.Tickwell")
# Where the README's screenshots (docs/*.png) are published; AppStream only takes web addresses for them.
set(TW_SCREENSHOT_URL "https://tickwell.org/docs" CACHE STRING "Web folder that holds the screenshots docs/*.png")

install(TARGETS tickwell tickwell-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/linux/${TW_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/linux/${TW_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(resources/linux/${TW_APP_ID}.metainfo.xml ${CMAKE_BINARY_DIR}/generated/${TW_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/generated/${TW_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tickwell")
set(CPACK_PACKAGE_VENDOR "The Tickwell developers")
set(CPACK_PACKAGE_CONTACT "The Tickwell developers <tickwell@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop task reminder with a Chinese interface (晴钟任务提醒)")
set(CPACK_PACKAGE_DESCRIPTION "Reminds you of tasks at the right moment, once or recurring on the solar or the lunar
calendar, with a prompt, a ring and a desktop notification. tickwell-cli adds, settles and lists tasks from a
terminal or a script.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_LICENSE "GPL-3.0-or-later")
# The libraries the programs and modules link (Qt, the media stack and what it brings) are found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no link reveals them: the SVG icon engine for the window and tray icon.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# Playing rings (WAV and MIDI through GStreamer, a sound font), Wayland sessions, desktop notifications.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-plugins-bad, timgm6mb-soundfont | fluid-soundfont-gm, qt6-wayland")
include(CPack)
