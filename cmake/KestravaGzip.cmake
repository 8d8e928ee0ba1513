# SPDX-License-Identifier: GPL-3.0-or-later
# kestrava_gzip(<target> <file>...) makes <file>.gz of each file at build time,
# as Debian ships man pages and changelogs: best compression, and no name or time
# in the header, so that two builds give the same bytes.
find_program(KESTRAVA_GZIP gzip REQUIRED)
function(kestrava_gzip target)
  set(outputs)
  foreach(file IN LISTS ARGN)
    add_custom_command(OUTPUT ${file}.gz
      COMMAND ${KESTRAVA_GZIP} -9nkf ${file}
      DEPENDS ${file}
      COMMENT "Compressing ${file}" VERBATIM)
    list(APPEND outputs ${file}.gz)
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
