# make package: two .debs of everything `make install` lays down, under /usr:
# orbivore (the game) and orbivore-scores (the score server). Their
# dependencies are worked out by dpkg-shlibdeps from the programs and the
# library themselves.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orbivore)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velvet Comet Arcade")
set(ORBIVORE_PACKAGE_CONTACT "Velvet Comet Arcade <packages@velvetcomet.invalid>"
    CACHE STRING "the package's maintainer, name and mail address")
set(CPACK_PACKAGE_CONTACT ${ORBIVORE_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade shooter drawn in glowing vector lines")
# The summary is the first line of the package's description; these lines follow it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"The Earth sits in the middle of the field; your base turns on its rim and
fires outwards while waves of invaders circle and spiral in, shooting back.
Invader shots that reach the Earth make it grow, invaders you shoot make it
shrink. 100 levels, pickups and powerups, a UFO, boss levels, an unlockable
classic mode, local and online highscores.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Unspecified scores)
set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME orbivore)
set(CPACK_DEBIAN_UNSPECIFIED_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}\n${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
# Each package's description above starts with its own synopsis; without this
# CPack would put the game's in front of both.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY IGNORE)
set(CPACK_DEBIAN_SCORES_PACKAGE_NAME orbivore-scores)
set(CPACK_DEBIAN_SCORES_PACKAGE_SECTION net)
set(CPACK_DEBIAN_SCORES_DESCRIPTION "score server for the Orbivore arcade game
Keeps the players' uploaded scores and answers the game's requests for the
top 25 and the newest version. Stores in SQLite, or in PostgreSQL when
several servers share one database. Comes with a sandboxed systemd unit
and an example TLS reverse-proxy configuration.")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
