# SPDX-License-Identifier: GPL-3.0-or-later
# Run after windows_tests is built: asks it for its QtTest classes and writes the ctest entries,
# one per class, into OUT (which ctest includes). Variables: PROGRAM, OUT.
execute_process(COMMAND ${PROGRAM} --list-classes OUTPUT_VARIABLE classes RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --list-classes failed: ${status}")
endif()
string(REPLACE "\n" ";" lines "${classes}")
set(text "")
foreach(line IN LISTS lines)
    if(line STREQUAL "")
        continue()
    endif()
    string(REPLACE " " ";" fields "${line}")
    list(GET fields 0 name)
    list(GET fields 1 group)
    list(GET fields 2 speed)
    # The classes under tests/cli/ run the built programs: cli.*, labelled cli.
    if(group STREQUAL "cli")
        set(labels "cli")
    else()
        set(labels "window")
    endif()
    set(cost "")
    if(speed STREQUAL "slow")
        # The longest tests start first in a parallel run without timing history (a fresh
        # clone, as in CI), so that the run does not end waiting for one of them alone.
        string(APPEND labels "\\;slow")
        set(cost " COST 1000")
    endif()
    string(APPEND text "add_test(${group}.${name} \"${PROGRAM}\" ${name})\n"
        "set_tests_properties(${group}.${name} PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen "
        "LABELS \"${labels}\"${cost})\n")
endforeach()
file(WRITE ${OUT} "${text}")
