# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts where, by the usual GNU layout, so that desktops
# find the launcher, the icons, the software-centre entry and the manual page.
include(GNUInstallDirs)

set(TARNWAKE_APP_ID org.tarnwake.Tarnwake)
set(TARNWAKE_HOMEPAGE "https://tarnwake.org" CACHE STRING "The game's home page, named in the metainfo")
set(TARNWAKE_SCREENSHOTS "${TARNWAKE_HOMEPAGE}/screenshots" CACHE STRING
    "Where the pictures of docs/ are published, for the metainfo's screenshots")

# Manual pages and Debian changelogs are kept compressed (gzip -9).
function(tw_gzip source target)
  configure_file(${source} ${CMAKE_BINARY_DIR}/data/${target}.in COPYONLY)
  file(ARCHIVE_CREATE OUTPUT ${CMAKE_BINARY_DIR}/data/${target}.gz
       PATHS ${CMAKE_BINARY_DIR}/data/${target}.in FORMAT raw COMPRESSION GZip
       COMPRESSION_LEVEL 9)
endfunction()
# The launcher names the game by its full path (/usr/games is not on every
# session's PATH, root's for one), so it is written at install time, when the
# prefix is known (`cmake --install --prefix`, CPack). The copy made here is
# the one the tests validate.
set(TARNWAKE_EXEC ${CMAKE_INSTALL_PREFIX}/${TARNWAKE_INSTALL_BINDIR}/tarnwake)
configure_file(${CMAKE_SOURCE_DIR}/data/${TARNWAKE_APP_ID}.desktop.in
               ${CMAKE_BINARY_DIR}/data/${TARNWAKE_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/data/${TARNWAKE_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/data/${TARNWAKE_APP_ID}.metainfo.xml @ONLY)

install(TARGETS tarnwake RUNTIME DESTINATION ${TARNWAKE_INSTALL_BINDIR})
install(CODE "
  set(TARNWAKE_EXEC \"\${CMAKE_INSTALL_PREFIX}/${TARNWAKE_INSTALL_BINDIR}/tarnwake\")
  configure_file(\"${CMAKE_SOURCE_DIR}/data/${TARNWAKE_APP_ID}.desktop.in\"
                 \"${CMAKE_BINARY_DIR}/data/installed/${TARNWAKE_APP_ID}.desktop\" @ONLY)
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\"
       TYPE FILE FILES \"${CMAKE_BINARY_DIR}/data/installed/${TARNWAKE_APP_ID}.desktop\")")
install(FILES ${CMAKE_BINARY_DIR}/data/${TARNWAKE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
tw_gzip(${CMAKE_SOURCE_DIR}/data/tarnwake.6 tarnwake.6)
install(FILES ${CMAKE_BINARY_DIR}/data/tarnwake.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
