# SPDX-License-Identifier: GPL-3.0-or-later
# Installation and the Debian packages. A package is whatever `cmake --install` puts in place for its component:
# "tickwell" (the programs, the sound module, desktop files, manual pages) and "webengine" (the page-host module,
# which pulls in the web engine, about 150 MB; the program runs without it and says how to get it).
include(GNUInstallDirs)

set(TW_APP_ID "org.tickwell.Tickwell")
# Where the README's screenshots (docs/*.png) are published; AppStream only takes web addresses for them.
set(TW_SCREENSHOT_URL "https://tickwell.org/docs" CACHE STRING "Web folder that holds the screenshots docs/*.png")
# A distributor building their own packages names themselves here; it also signs the packaged changelog.
set(TW_MAINTAINER "The Tickwell developers <packages@tickwell.org>" CACHE STRING
  "Maintainer of the Debian packages: Name <address>")
set(TW_WEB_PACKAGE "tickwell-webengine")

install(TARGETS tickwell tickwell-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tickwell)
install(FILES resources/linux/${TW_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
  COMPONENT tickwell)
install(FILES resources/linux/${TW_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
  COMPONENT tickwell)
configure_file(resources/linux/${TW_APP_ID}.metainfo.xml ${CMAKE_BINARY_DIR}/generated/${TW_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/generated/${TW_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
  COMPONENT tickwell)

# Manual pages made from the programs' own --help texts, so they never drift from them: English under man1,
# the program's own Chinese under zh_CN/man1.
find_program(TW_HELP2MAN help2man)
if(TW_HELP2MAN)
  set(_man_pages)
  foreach(_page "tickwell|desktop task reminder|桌面任务提醒"
      "tickwell-cli|command-line tool of Tickwell|晴钟任务提醒的命令行工具")
    string(REPLACE "|" ";" _page "${_page}")
    list(GET _page 0 _program)
    foreach(_lang en zh_CN)
      if(_lang STREQUAL "en")
        list(GET _page 1 _whatis)
        set(_dir man1)
      else()
        list(GET _page 2 _whatis)
        set(_dir ${_lang}/man1)
      endif()
      set(_out ${CMAKE_BINARY_DIR}/man/${_dir}/${_program}.1.gz)
      add_custom_command(OUTPUT ${_out}
        COMMAND ${CMAKE_COMMAND} -DHELP2MAN=${TW_HELP2MAN} -DPROGRAM=$<TARGET_FILE:${_program}> -DLANGUAGE_CODE=${_lang}
          -DWHATIS=${_whatis} -DVERSION=${PROJECT_VERSION} -DOUTPUT=${_out} -P ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake
        DEPENDS ${_program} ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake
        COMMENT "Manual page ${_dir}/${_program}.1" VERBATIM)
      install(FILES ${_out} DESTINATION ${CMAKE_INSTALL_MANDIR}/${_dir} COMPONENT tickwell)
      list(APPEND _man_pages ${_out})
    endforeach()
  endforeach()
  add_custom_target(tw_manpages ALL DEPENDS ${_man_pages})
else()
  message(WARNING "help2man not found: the packages get no manual pages (scripts/install-deps.sh installs it)")
endif()

# Each package's copyright and changelog (one for both: they come from one source). The changelog names the
# version the project builds: a new version needs its entry there first.
file(STRINGS resources/debian/changelog.in _changelog_head LIMIT_COUNT 1)
if(NOT _changelog_head MATCHES "^tickwell \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "resources/debian/changelog.in has no entry for version ${PROJECT_VERSION}")
endif()
configure_file(resources/debian/changelog.in ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.gz
  COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/debian/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog COMMENT "Debian changelog" VERBATIM)
add_custom_target(tw_debian_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.gz)
set(_packages tickwell)
if(TARGET tickwell_pagehost)
  list(APPEND _packages webengine)
endif()
foreach(_component ${_packages})
  set(_name tickwell)
  if(_component STREQUAL "webengine")
    set(_name ${TW_WEB_PACKAGE})
  endif()
  install(FILES resources/debian/copyright ${CMAKE_BINARY_DIR}/debian/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${_name} COMPONENT ${_component})
endforeach()

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tickwell")
set(CPACK_PACKAGE_VENDOR "The Tickwell developers")
set(CPACK_PACKAGE_CONTACT "${TW_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL ${_packages})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE "tickwell")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_LICENSE "GPL-3.0-or-later")
# The libraries the programs and modules link (Qt, the media stack, the web engine) are found by dpkg-shlibdeps,
# for each package on its own files.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# Description lines stay within 80 columns; the first is the summary. (CPACK_PACKAGE_DESCRIPTION_SUMMARY stays
# unset: CPack would put it above every package's description, the web component's too.)
set(CPACK_DEBIAN_TICKWELL_PACKAGE_NAME "tickwell")
set(CPACK_DEBIAN_TICKWELL_DESCRIPTION "Desktop task reminder with a Chinese interface (晴钟任务提醒)
Reminds you of tasks at the right moment, once or recurring on the solar or
the lunar calendar, with a prompt, a ring and a desktop notification.
tickwell-cli adds, settles and lists tasks from a terminal or a script.
The perpetual calendar (万年历) and page checks come with ${TW_WEB_PACKAGE}.")
# Playing rings (WAV and MIDI through GStreamer, a sound font), Wayland sessions, desktop notifications, pages,
# and the SVG icon engine for desktop icon themes drawn in SVG (the program's own icon is compiled in as PNG).
set(CPACK_DEBIAN_TICKWELL_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, \
gstreamer1.0-plugins-bad, timgm6mb-soundfont | fluid-soundfont-gm, qt6-wayland, libqt6svg6")
if(TARGET tickwell_pagehost)
  string(APPEND CPACK_DEBIAN_TICKWELL_PACKAGE_RECOMMENDS ", ${TW_WEB_PACKAGE}")
  set(CPACK_DEBIAN_WEBENGINE_PACKAGE_NAME "${TW_WEB_PACKAGE}")
  set(CPACK_DEBIAN_WEBENGINE_DESCRIPTION "Web component of the Tickwell task reminder (晴钟任务提醒)
The page-host module of Tickwell, built on the Qt web engine: it shows the
perpetual calendar (万年历) with your tasks and runs the page checks of tasks.
Tickwell loads it the first time a page opens and runs without it.")
  # The module is built for this very version of the program.
  set(CPACK_DEBIAN_WEBENGINE_PACKAGE_DEPENDS "tickwell (= ${PROJECT_VERSION})")
endif()
include(CPack)
