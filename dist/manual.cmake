# SPDX-License-Identifier: GPL-3.0-or-later
# Makes a program's manual page from its own --help and --version with help2man, so that the
# page never says other than the program. For hspring-cli each command's help becomes a section
# of its own. The page is written gzip-compressed, as Debian installs manual pages.
#
#   cmake -DHELP2MAN=... -DPROGRAM=... -DNAME=... -DSUMMARY=... -DWORK=... -DOUTPUT=FILE.1.gz
#         [-DCOMMANDS=ON] [-DJAPANESE=ON] -P manual.cmake
#
# The help texts are laid out as help2man reads them: "Usage:" with "or:" lines for the
# synopsis, "Options:" and "Files:" for their sections, options indented with their texts two
# spaces or more to the right. Two headings help2man does not know, "Exit status:" and
# "See also:", become sections of their own here. A Japanese page is made under a Japanese
# locale, where the program answers in Japanese and help2man reads and writes its headings
# (使用法, オプション, ...) in Japanese; the locale is built for the run, since a build machine
# need not have it installed.

file(MAKE_DIRECTORY ${WORK})
set(page ${WORK}/${NAME}.1)
set(include ${WORK}/${NAME}.h2m)

if(JAPANESE)
    set(locale ja_JP.UTF-8)
    set(locale_folder ${WORK}/locale)
    if(NOT EXISTS ${locale_folder}/${locale})
        file(MAKE_DIRECTORY ${locale_folder})
        execute_process(COMMAND localedef -i ja_JP -f UTF-8 ${locale_folder}/${locale}
            COMMAND_ERROR_IS_FATAL ANY)
    endif()
    set(environment LOCPATH=${locale_folder} LC_ALL=${locale} LANGUAGE=)
    set(headings "終了ステータス" "関連項目")
    set(name_heading "名前")
else()
    set(locale C.UTF-8)
    set(environment LC_ALL=${locale} LANGUAGE=)
    set(headings "Exit status" "See also")
    set(name_heading "NAME")
endif()

function(program_output result)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ${environment} QT_QPA_PLATFORM=offscreen
            ${PROGRAM} ${ARGN}
        OUTPUT_VARIABLE output COMMAND_ERROR_IS_FATAL ANY)
    set(${result} "${output}" PARENT_SCOPE)
endfunction()

# The headings help2man does not know become its "*SECTION*" lines.
function(mark_sections text result)
    foreach(heading ${headings})
        string(TOUPPER "${heading}" section)
        string(REPLACE "\n${heading}:\n" "\n*${section}*\n" text "${text}")
    endforeach()
    set(${result} "${text}" PARENT_SCOPE)
endfunction()

program_output(help --help)
program_output(version --version)
set(commands_text "")
if(COMMANDS)
    # The command list: the lines "  NAME  summary" between "Commands:" and the blank line.
    string(REGEX MATCH "\nCommands:\n(([^\n]+\n)+)" list "${help}")
    string(REGEX MATCHALL "\n  [a-z][a-z-]*" names "${CMAKE_MATCH_1}")
    foreach(name ${names})
        string(STRIP "${name}" name)
        if(name STREQUAL "help")
            continue()
        endif()
        program_output(command_help help ${name})
        # The usage line, which may run on over indented lines, becomes one paragraph; the
        # options stay options of the command's section rather than of the tool.
        string(REGEX REPLACE "\n +\\[" " [" command_help "${command_help}")
        string(REPLACE "\nOptions:\n" "\n" command_help "${command_help}")
        string(TOUPPER "${name}" heading)
        string(APPEND commands_text "\n*COMMAND ${heading}*\n${command_help}")
    endforeach()
endif()

# The command sections follow the tool's options, before the exit status.
mark_sections("${help}" help)
list(GET headings 0 exit_heading)
string(TOUPPER "${exit_heading}" exit_section)
string(FIND "${help}" "\n*${exit_section}*\n" at)
if(commands_text AND at GREATER -1)
    string(SUBSTRING "${help}" 0 ${at} before)
    string(SUBSTRING "${help}" ${at} -1 after)
    set(help "${before}\n${commands_text}${after}")
endif()
file(WRITE ${WORK}/${NAME}.help "${help}")
file(WRITE ${WORK}/${NAME}.version "${version}")
# help2man runs this stand-in for the program, which answers with the texts above.
set(stand_in ${WORK}/${NAME})
file(WRITE ${stand_in}
    "#!/bin/sh\ncase \"$1\" in\n--help) cat '${WORK}/${NAME}.help' ;;\n"
    "--version) cat '${WORK}/${NAME}.version' ;;\n*) exit 2 ;;\nesac\n")
file(CHMOD ${stand_in} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
# The name line through the include file, which help2man reads in the page's encoding (its
# --name option would not carry Japanese).
file(WRITE ${include} "[${name_heading}]\n${NAME} \\- ${SUMMARY}\n")

execute_process(
    COMMAND ${CMAKE_COMMAND} -E env ${environment}
        ${HELP2MAN} --locale=${locale} --no-info --section=1 --include=${include}
        --output=${page} ${stand_in}
    COMMAND_ERROR_IS_FATAL ANY)
if(JAPANESE)
    # Japanese lines break only where the text has spaces: filled flush left, they keep single
    # spaces instead of being stretched to the right margin.
    file(READ ${page} roff)
    string(REGEX REPLACE "\n(\\.TH [^\n]*\n)" "\n\\1.ad l\n" roff "${roff}")
    file(WRITE ${page} "${roff}")
endif()
execute_process(COMMAND gzip -9n -c ${page} OUTPUT_FILE ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)
