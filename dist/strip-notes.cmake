# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cpack after staging the package's files: removes the compiler's version notes from the
# programs and the STEP writer module, as Debian's dh_strip does, since they add nothing to a
# stripped binary.
find_program(objcopy objcopy REQUIRED)
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*/bin/*")
if(NOT programs)
    message(FATAL_ERROR "no programs staged under ${CPACK_TEMPORARY_DIRECTORY}")
endif()
file(GLOB_RECURSE modules LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*/lib/*.so")
list(APPEND programs ${modules})
foreach(program ${programs})
    execute_process(COMMAND ${objcopy} --remove-section=.comment --remove-section=.note
        ${program} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
