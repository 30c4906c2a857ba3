# Run at install time: writes the desktop entry with the installed program's
# full path in its Exec line. A launcher runs Exec through the PATH, and a
# prefix such as ~/.local puts the program in a games folder that is not on
# it. Expects ORBIVORE_DESKTOP_SOURCE, ORBIVORE_DESKTOP_BUILT,
# ORBIVORE_DESKTOP_DIR and ORBIVORE_PROGRAM (the last two relative to the
# prefix).
set(program "${CMAKE_INSTALL_PREFIX}/${ORBIVORE_PROGRAM}")
# The entry's rules: a path with anything but plain characters goes in
# double quotes, with ", `, $ and \ escaped there, and every \ of that
# doubled again as the file's string escape; % is written %%.
if(NOT program MATCHES "^[A-Za-z0-9/._+-]+$")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" program "${program}")
  string(REPLACE "\\" "\\\\" program "${program}")
  set(program "\"${program}\"")
endif()
string(REPLACE "%" "%%" program "${program}")
file(READ "${ORBIVORE_DESKTOP_SOURCE}" entry)
string(REPLACE "\nExec=orbivore\n" "\nExec=${program}\n" placed "${entry}")
if(placed STREQUAL entry)
  message(FATAL_ERROR "${ORBIVORE_DESKTOP_SOURCE} has no line 'Exec=orbivore' to put the program's path in")
endif()
file(WRITE "${ORBIVORE_DESKTOP_BUILT}" "${placed}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${ORBIVORE_DESKTOP_DIR}" TYPE FILE FILES "${ORBIVORE_DESKTOP_BUILT}")
