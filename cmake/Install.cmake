# Installing and packaging. `cmake --install build --prefix /usr` puts the
# program in bin/ and its data in share/keelhaven/, which is where the program
# looks when the data is not beside it (see dataDirectory in
# src/platform/files.cpp; the two paths must stay in step). Desktops find the
# menu entry, icons and AppStream data in their usual places.
# `cpack -G DEB` (run in the build folder) makes a Debian package of the same.

# Installing takes what is built and builds nothing: cpack, run by the package
# test while other tests read the data beside the programs, must not re-copy it.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(KEELHAVEN_DESKTOP_ID io.github.keelhaven.Keelhaven)
set(KEELHAVEN_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/assets/desktop)

install(TARGETS keelhaven RUNTIME DESTINATION bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION share/keelhaven)
install(FILES ${KEELHAVEN_DESKTOP_DIR}/${KEELHAVEN_DESKTOP_ID}.desktop DESTINATION share/applications)
install(FILES ${KEELHAVEN_DESKTOP_DIR}/${KEELHAVEN_DESKTOP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 16 32 48 64 128 256)
  install(FILES ${KEELHAVEN_DESKTOP_DIR}/icons/${size}x${size}/${KEELHAVEN_DESKTOP_ID}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION share/doc/keelhaven RENAME copyright)

# The manual page, keelhaven(6), compressed as Debian keeps them; made with
# the game, since installing builds nothing.
set(KEELHAVEN_MANUAL ${CMAKE_BINARY_DIR}/keelhaven.6.gz)
add_custom_command(OUTPUT ${KEELHAVEN_MANUAL}
  COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${CMAKE_SOURCE_DIR}/docs/keelhaven.6 ${KEELHAVEN_MANUAL}
  DEPENDS ${CMAKE_SOURCE_DIR}/docs/keelhaven.6
  COMMENT "Compressing the manual page" VERBATIM)
add_custom_target(keelhaven_manual ALL DEPENDS ${KEELHAVEN_MANUAL})
add_dependencies(keelhaven keelhaven_manual)
install(FILES ${KEELHAVEN_MANUAL} DESTINATION share/man/man6)
install(FILES ${CMAKE_SOURCE_DIR}/assets/pictures/NOTICE.md DESTINATION share/doc/keelhaven RENAME pictures-NOTICE.md)
install(FILES ${CMAKE_SOURCE_DIR}/assets/sounds/NOTICE DESTINATION share/doc/keelhaven RENAME sounds-NOTICE)
install(FILES ${KEELHAVEN_DESKTOP_DIR}/NOTICE.md DESTINATION share/doc/keelhaven RENAME desktop-NOTICE.md)

set(KEELHAVEN_PACKAGE_MAINTAINER "Keelhaven developers <keelhaven@users.noreply.github.com>"
  CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME keelhaven)
set(CPACK_PACKAGE_VENDOR "The Keelhaven developers")
set(CPACK_PACKAGE_CONTACT "${KEELHAVEN_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down naval action and puzzle game")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Sail your ship between islands, fire your cannon at the ships and batteries"
  "that guard the way, gather gold and reach the whirlpool that carries you to"
  "the next sea. Thirty levels, three difficulties and a gauntlet on one life;"
  "keyboard or game pad.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KEELHAVEN_PACKAGE_MAINTAINER}")
# The libraries come from dpkg-shlibdeps (package dpkg-dev); the faces the
# game asks fontconfig for are not linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-allerta")
include(CPack)

# Builds the package, unpacks it into a scratch root and plays a few frames
# of the installed game there, headless. Skipped where dpkg is missing.
if(KEELHAVEN_TESTS)
  add_test(NAME installed_package
    COMMAND ${CMAKE_SOURCE_DIR}/tests/install/installed_package_test.sh
      ${CMAKE_BINARY_DIR} ${CMAKE_CPACK_COMMAND} ${KEELHAVEN_DESKTOP_ID})
  set_tests_properties(installed_package PROPERTIES
    LABELS "install;package" SKIP_RETURN_CODE 77 TIMEOUT 300
    ENVIRONMENT "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy")
endif()
