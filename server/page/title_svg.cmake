# Draws the page's titles with the game's own stroke font at build time:
# reads the glyph list (one glyph a line, "a" first: the segment count minus
# one, then x1 y1 x2 y2 per segment, a cell of 28 units across) and writes
# a header of SVG path data for each title.
#   cmake -DGLYPHS=data/font/glyphs.txt -DOUT=title_svg.h -P title_svg.cmake
file(READ ${GLYPHS} text)
string(REGEX REPLACE "#[^\n]*" "" text "${text}")
string(REGEX MATCHALL "-?[0-9]+" numbers "${text}")

# Glyphs 1 to 26 are the letters; glyph_<n> holds its segments' numbers.
set(at 0)
foreach(glyph RANGE 1 26)
  list(GET numbers ${at} count)
  math(EXPR first "${at} + 1")
  math(EXPR length "4 * (${count} + 1)")
  list(SUBLIST numbers ${first} ${length} glyph_${glyph})
  math(EXPR at "${first} + ${length}")
endforeach()

set(letters "abcdefghijklmnopqrstuvwxyz")
function(title_path name words)
  set(path "")
  string(LENGTH "${words}" count)
  math(EXPR last "${count} - 1")
  foreach(n RANGE ${last})
    string(SUBSTRING "${words}" ${n} 1 c)
    string(FIND "${letters}" "${c}" index)
    if(index LESS 0)
      continue()
    endif()
    math(EXPR glyph "${index} + 1")
    math(EXPR cx "${n} * 28 + 14")
    set(values ${glyph_${glyph}})
    list(LENGTH values total)
    math(EXPR segments "${total} / 4 - 1")
    foreach(s RANGE ${segments})
      math(EXPR i "${s} * 4")
      list(SUBLIST values ${i} 4 seg)
      list(GET seg 0 x1)
      list(GET seg 1 y1)
      list(GET seg 2 x2)
      list(GET seg 3 y2)
      math(EXPR x1 "${x1} + ${cx}")
      math(EXPR x2 "${x2} + ${cx}")
      math(EXPR y1 "${y1} + 14")
      math(EXPR y2 "${y2} + 14")
      string(APPEND path "M${x1} ${y1}L${x2} ${y2}")
    endforeach()
  endforeach()
  math(EXPR width "${count} * 28")
  set(${name}_path "${path}" PARENT_SCOPE)
  set(${name}_width "${width}" PARENT_SCOPE)
endfunction()

title_path(title "orbivore")
title_path(subtitle "high scores")
file(WRITE ${OUT}.new "// Generated from the game's stroke font by title_svg.cmake; do not edit.\n#pragma once\n"
  "constexpr const char* TitlePath = \"${title_path}\";\nconstexpr int TitleWidth = ${title_width};\n"
  "constexpr const char* SubtitlePath = \"${subtitle_path}\";\nconstexpr int SubtitleWidth = ${subtitle_width};\n"
  "constexpr int TitleHeight = 28;\n")
file(COPY_FILE ${OUT}.new ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.new)
