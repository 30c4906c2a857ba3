# The built-in resource table.
#
# Every file under data/ is built in under its path relative to data/
# ("pictures/title_logo.txt"). Build-time generators register their outputs
# with orbivore_add_resource under the names the game opens them by
# ("res/dot.png"; the game may write "res\dot.png", lookups fold the slash).

define_property(GLOBAL PROPERTY ORBIVORE_RESOURCES
  BRIEF_DOCS "name=path pairs built into the program" FULL_DOCS "see cmake/Resources.cmake")
define_property(GLOBAL PROPERTY ORBIVORE_RESOURCE_DEPS
  BRIEF_DOCS "targets producing generated resources" FULL_DOCS "see cmake/Resources.cmake")

function(orbivore_add_resource name path)
  set_property(GLOBAL APPEND PROPERTY ORBIVORE_RESOURCES "${name}=${path}")
endfunction()

# orbivore_generated_resources(TOOL <target> DIR <outdir> NAMES <res/x.png> ...)
# runs the tool once with the output folder as its argument; it writes every listed name there.
function(orbivore_generated_resources)
  cmake_parse_arguments(G "" "TOOL;DIR" "NAMES;DEPENDS" ${ARGN})
  set(outputs "")
  foreach(n ${G_NAMES})
    list(APPEND outputs ${G_DIR}/${n})
    orbivore_add_resource(${n} ${G_DIR}/${n})
  endforeach()
  add_custom_command(OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${G_DIR}/res
    COMMAND $<TARGET_FILE:${G_TOOL}> ${G_DIR}
    DEPENDS ${G_TOOL} ${G_DEPENDS}
    COMMENT "Generating resources with ${G_TOOL}")
  add_custom_target(${G_TOOL}-out DEPENDS ${outputs})
  set_property(GLOBAL APPEND PROPERTY ORBIVORE_RESOURCE_DEPS ${G_TOOL}-out)
endfunction()

# Writes the table source once every resource is known.
function(orbivore_resource_table out_cpp)
  file(GLOB_RECURSE data_files CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/data ${CMAKE_SOURCE_DIR}/data/*)
  set(pairs "")
  set(deps "")
  foreach(f ${data_files})
    list(APPEND pairs "${f}=${CMAKE_SOURCE_DIR}/data/${f}")
    list(APPEND deps ${CMAKE_SOURCE_DIR}/data/${f})
  endforeach()
  get_property(generated GLOBAL PROPERTY ORBIVORE_RESOURCES)
  foreach(p ${generated})
    list(APPEND pairs "${p}")
    string(REGEX REPLACE "^[^=]*=" "" path "${p}")
    list(APPEND deps ${path})
  endforeach()
  get_property(gen_targets GLOBAL PROPERTY ORBIVORE_RESOURCE_DEPS)
  set(list_file ${CMAKE_BINARY_DIR}/resources.list)
  string(REPLACE ";" "\n" pairs_text "${pairs}")
  file(GENERATE OUTPUT ${list_file} CONTENT "${pairs_text}\n")
  add_custom_command(OUTPUT ${out_cpp}
    COMMAND $<TARGET_FILE:orbivore-embed> ${list_file} ${out_cpp}
    DEPENDS orbivore-embed ${deps} ${list_file} ${gen_targets}
    COMMENT "Building the resource table")
  # The table only names the files; the assembler reads them (.incbin), out of
  # sight of the compiler's dependency scan, and orbivore-embed leaves an
  # unchanged table alone: without this an edited data file never got in.
  set_source_files_properties(${out_cpp} PROPERTIES OBJECT_DEPENDS "${deps}")
endfunction()
