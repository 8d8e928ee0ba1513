# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack on the staged package, before it is packed: takes off the
# sections that a stripped program does not need (the compilers' .comment and
# the bare .note), as Debian's dh_strip does; the build id stays.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_DIRECTORY}/*/bin/*")
foreach(program IN LISTS programs)
  execute_process(COMMAND strip --remove-section=.comment --remove-section=.note ${program}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
