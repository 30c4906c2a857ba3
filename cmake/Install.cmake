# Where an installed game lies: Debian's layout for games under the prefix.
# The program tells an installed copy from a build folder by this layout
# (src/common/file_places.h), so the three game folders must keep these
# names relative to each other.
include(GNUInstallDirs)
# Installing and packaging take what `make build` built; neither builds the
# tests and benchmarks again first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(ORBIVORE_GAMES_DIR games)                                      # the program
set(ORBIVORE_PRIVATE_LIB_DIR lib/games/orbivore)                   # the network library
set(ORBIVORE_DATA_DIR ${CMAKE_INSTALL_DATAROOTDIR}/games/orbivore) # the music
set(ORBIVORE_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/orbivore)
set(ORBIVORE_DIST ${CMAKE_SOURCE_DIR}/dist)

# Man pages and changelogs go compressed, as the distribution has them.
set(ORBIVORE_GZIPPED "")
foreach(file orbivore.6 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/dist/${file}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist
    COMMAND gzip -9n -c ${ORBIVORE_DIST}/${file} > ${CMAKE_BINARY_DIR}/dist/${file}.gz
    DEPENDS ${ORBIVORE_DIST}/${file})
  list(APPEND ORBIVORE_GZIPPED ${CMAKE_BINARY_DIR}/dist/${file}.gz)
endforeach()
add_custom_target(orbivore-dist ALL DEPENDS ${ORBIVORE_GZIPPED})

install(TARGETS orbivore RUNTIME DESTINATION ${ORBIVORE_GAMES_DIR})
install(TARGETS kova LIBRARY DESTINATION ${ORBIVORE_PRIVATE_LIB_DIR})
install(FILES ${CMAKE_BINARY_DIR}/Menu-loop.ogg ${CMAKE_BINARY_DIR}/Ingame-loop.ogg DESTINATION ${ORBIVORE_DATA_DIR})
install(CODE "
  set(ORBIVORE_DESKTOP_SOURCE \"${ORBIVORE_DIST}/orbivore.desktop\")
  set(ORBIVORE_DESKTOP_BUILT \"${CMAKE_BINARY_DIR}/dist/orbivore.desktop\")
  set(ORBIVORE_DESKTOP_DIR \"${CMAKE_INSTALL_DATAROOTDIR}/applications\")
  set(ORBIVORE_PROGRAM \"${ORBIVORE_GAMES_DIR}/orbivore\")
  include(\"${CMAKE_SOURCE_DIR}/cmake/InstallDesktopEntry.cmake\")")
install(FILES ${ORBIVORE_DIST}/orbivore.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(DIRECTORY ${CMAKE_BINARY_DIR}/gen/icons/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)
install(FILES ${CMAKE_BINARY_DIR}/dist/orbivore.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${ORBIVORE_DIST}/copyright ${CMAKE_BINARY_DIR}/dist/changelog.gz DESTINATION ${ORBIVORE_DOC_DIR})
# The score server's package carries the same licence and history.
install(FILES ${ORBIVORE_DIST}/copyright ${CMAKE_BINARY_DIR}/dist/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/orbivore-scores COMPONENT scores)
