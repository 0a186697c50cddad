# SPDX-License-Identifier: GPL-3.0-or-later
# The build's default-data tool names a fault of the readable data by its file and line, in the
# words the command-line tool gives the same fault, and writes nothing.
#   cmake -DTOOL=hspring-make-default-data -DDATA=data/default -DWORK=dir -P default_data_tool_test.cmake

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(READ ${DATA}/materials.txt materials)
file(READ ${DATA}/settings.txt settings)

# Runs the tool on the two texts; expects it to fail with `expected` as its one line.
function(expect_fault materials_text settings_text expected)
    file(WRITE ${WORK}/materials.txt "${materials_text}")
    file(WRITE ${WORK}/settings.txt "${settings_text}")
    execute_process(COMMAND ${TOOL} ${WORK}/materials.txt ${WORK}/settings.txt
        ${WORK}/zaidat.dst ${WORK}/settings.set ${WORK}/images.cpp
        RESULT_VARIABLE status ERROR_VARIABLE error)
    if(NOT status EQUAL 1 OR NOT error STREQUAL "hspring-make-default-data: ${expected}\n")
        message(FATAL_ERROR "expected status 1 and \"${expected}\", got ${status}: ${error}")
    endif()
    if(EXISTS ${WORK}/zaidat.dst OR EXISTS ${WORK}/images.cpp)
        message(FATAL_ERROR "a file was written although the data failed")
    endif()
endfunction()

# A coefficient misnamed: its line in the settings text.
string(REGEX REPLACE "\nhookStressFactor([^\n]*)" "\nhookFactor\\1" misnamed "${settings}")
string(FIND "${misnamed}" "hookFactor" at)
string(SUBSTRING "${misnamed}" 0 ${at} before)
string(REGEX MATCHALL "\n" breaks "${before}")
list(LENGTH breaks line_before)
math(EXPR line "${line_before} + 1")
expect_fault("${materials}" "${misnamed}"
    "${WORK}/settings.txt: line ${line}: unknown coefficient 'hookFactor'")

# The last kind (2) renumbered 4: the library breaks its rule of kinds without a gap.
string(REGEX REPLACE "\nkind[ \t]+2\n" "\nkind 4\n" gap "${materials}")
expect_fault("${gap}" "${settings}"
    "${WORK}/materials.txt: the library breaks its rules:\nkind 4 is used but kind 3 is not")
