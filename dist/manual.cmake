# SPDX-License-Identifier: GPL-3.0-or-later
# Makes a program's manual page from its own --help and --version with help2man, so that the
# page never says other than the program. For hspring-cli each command's help becomes a section
# of its own. The page is written gzip-compressed, as Debian installs manual pages.
#
#   cmake -DHELP2MAN=... -DPROGRAM=... -DNAME=... -DSUMMARY=... -DWORK=... -DOUTPUT=FILE.1.gz
#         [-DCOMMANDS=ON] -P manual.cmake

set(page ${WORK}/${NAME}.1)
set(include ${WORK}/${NAME}.h2m)
file(MAKE_DIRECTORY ${WORK})
set(include_option)

# Text to roff: backslashes doubled, a leading dot or quote kept from being a request.
function(roff_text text result)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    set(${result} "${text}" PARENT_SCOPE)
endfunction()

if(COMMANDS)
    file(WRITE ${include} "")
    set(include_option --include=${include})
    execute_process(COMMAND ${PROGRAM} help OUTPUT_VARIABLE usage COMMAND_ERROR_IS_FATAL ANY)
    # The command list: the lines "  NAME  summary" between "Commands:" and the blank line.
    string(REGEX MATCH "\nCommands:\n(([^\n]+\n)+)" list "${usage}")
    string(REGEX MATCHALL "\n  [a-z][a-z-]*" names "${CMAKE_MATCH_1}")
    foreach(name ${names})
        string(STRIP "${name}" name)
        if(name STREQUAL "help")
            continue()
        endif()
        execute_process(COMMAND ${PROGRAM} help ${name} OUTPUT_VARIABLE help
            COMMAND_ERROR_IS_FATAL ANY)
        roff_text("${help}" help)
        string(TOUPPER "${name}" heading)
        file(APPEND ${include} "[COMMAND ${heading}]\n.nf\n${help}.fi\n\n")
    endforeach()
endif()

execute_process(
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
        ${HELP2MAN} --locale=C.UTF-8 --no-info --section=1 --name=${SUMMARY} ${include_option}
        --output=${page} ${PROGRAM}
    COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND gzip -9n -c ${page} OUTPUT_FILE ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)
