# SPDX-License-Identifier: GPL-3.0-or-later
# `make package`: a Debian package of what cmake/Install.cmake installs.
# Run dependencies come from the shared-library scan (dpkg-shlibdeps), plus
# the General MIDI soundfont the music is played with, which no library names.
set(TARNWAKE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tarnwake)

tw_gzip(${CMAKE_SOURCE_DIR}/data/changelog.Debian changelog.Debian)
install(FILES ${CMAKE_SOURCE_DIR}/data/copyright DESTINATION ${TARNWAKE_DOC_DIR})
install(FILES ${CMAKE_BINARY_DIR}/data/changelog.Debian.gz DESTINATION ${TARNWAKE_DOC_DIR})

set(CPACK_GENERATOR DEB)
# The install runs with the real prefix (/usr) below a staging DESTDIR, so
# that what is written at install time names the installed paths.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_NAME tarnwake)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Tarnwake developers <developers@tarnwake.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sea battle against the computer or over the network")
set(CPACK_PACKAGE_DESCRIPTION
    "Hide a fleet on a square sea of 10 to 15 cells, then take turns firing with\n"
    "the computer, or with a friend over the network, until one fleet is gone.\n"
    "The game keeps records for every player, can log every match, plays its\n"
    "own music and sound effects and speaks English or Russian.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Debian revision 1 of upstream 2.5; data/changelog.Debian names it.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TARNWAKE_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | fluid-soundfont-gm | sf2-soundfont-gm")
# The windows are laid out in pixels for a small sans-serif face; Debian's
# is DejaVu Sans.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-dejavu-core)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)
