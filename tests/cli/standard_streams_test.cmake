# SPDX-License-Identifier: GPL-3.0-or-later
# "-" as a file name: the tool in a pipe reads its input from standard input and writes its
# output to standard output, the same bytes it would read from and write to a file, and writes
# no file named "-". A PDF or PNG is not sent to a terminal; --format names the kind.
#
#   cmake -DCLI=... -DWORK=... -P standard_streams_test.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/design.json "{\"wireDiameter\": 1.2, \"outerDiameter\": 12, \"totalTurns\": 12}")
file(WRITE ${WORK}/title.json "{\"partName\": \"pipe\"}")

# run(STATUS INPUT OUTPUT ARGUMENTS...): INPUT and OUTPUT are files for the standard streams.
function(run expected_status input output)
    execute_process(COMMAND ${CLI} ${ARGN} WORKING_DIRECTORY ${WORK} INPUT_FILE ${input}
        OUTPUT_FILE ${output} ERROR_VARIABLE err RESULT_VARIABLE status)
    if(NOT status EQUAL expected_status)
        message(FATAL_ERROR "${ARGN}: status ${status}, expected ${expected_status}\n${err}")
    endif()
    set(err "${err}" PARENT_SCOPE)
endfunction()

function(same_bytes first second)
    file(SHA256 ${first} a)
    file(SHA256 ${second} b)
    if(NOT a STREQUAL b)
        message(FATAL_ERROR "${first} and ${second} differ")
    endif()
endfunction()

function(starts_with file hex what)
    file(READ ${file} head LIMIT 4 HEX)
    if(NOT head STREQUAL hex)
        message(FATAL_ERROR "${file} is no ${what}: it starts with ${head}")
    endif()
endfunction()

set(design ${WORK}/design.json)
set(none /dev/null)
# JSON in, JSON out: the same answer as from the file.
run(0 ${none} ${WORK}/calc-file.json calc --input design.json)
run(0 ${design} ${WORK}/calc-pipe.json calc --input -)
same_bytes(${WORK}/calc-file.json ${WORK}/calc-pipe.json)

# Text output: the DXF file's bytes.
set(spring --round --angle 90 --d 1 --D 10 --N 5)
run(0 ${none} ${WORK}/dxf-pipe.dxf dxf ${spring} -o -)
run(0 ${none} ${none} dxf ${spring} -o spring.dxf)
same_bytes(${WORK}/spring.dxf ${WORK}/dxf-pipe.dxf)

# Binary output from standard input: a PNG, a PDF (an existing "-" is not touched), the JIS
# sheet with its title block from standard input. The design overstresses its hooks: the sheets
# are asked for anyway.
run(0 ${design} ${WORK}/chart.png chart --input - -o -)
starts_with(${WORK}/chart.png 89504e47 PNG)
run(0 ${design} ${WORK}/sheet.pdf sheet --allow-failing --input - -o -)
starts_with(${WORK}/sheet.pdf 25504446 PDF)
run(0 ${WORK}/title.json ${WORK}/jis.pdf jis-sheet --allow-failing --input design.json
    --title-block - -o -)
starts_with(${WORK}/jis.pdf 25504446 PDF)
if(EXISTS ${WORK}/-)
    message(FATAL_ERROR "a file named - was written")
endif()

# A picture or model of several kinds goes out as the kind --format names, the same bytes as
# the file of that kind; what the command says besides goes to standard error, not into it.
run(0 ${none} ${WORK}/diagram-file.out diagram --upper 0.45 --lower 0.2 -o diagram.svg)
file(READ ${WORK}/diagram-file.out notice)
run(0 ${none} ${WORK}/diagram-pipe.svg diagram --upper 0.45 --lower 0.2 -o - --format svg)
same_bytes(${WORK}/diagram.svg ${WORK}/diagram-pipe.svg)
if(NOT notice MATCHES "グラフエリアオーバー" OR NOT err STREQUAL notice)
    message(FATAL_ERROR "the diagram's notice: '${notice}' with a file, '${err}' with a pipe")
endif()
run(0 ${none} ${WORK}/shape.png shape ${spring} --L2 12 -o - --format PNG)
starts_with(${WORK}/shape.png 89504e47 PNG)
run(2 ${none} ${none} shape ${spring} --L2 12 -o - --format jpg)
if(NOT err MATCHES "--format takes png or svg, not jpg")
    message(FATAL_ERROR "an unknown --format: ${err}")
endif()
run(2 ${none} ${none} shape ${spring} --L2 12 -o shape.png --format svg)
# The calculation file from standard input: the model of its design as from the file, and an
# empty input no design at all. (The file's design has tolerance warnings: written anyway.)
run(0 ${none} ${none} model --allow-failing --hbd ${HBD} -o model.stl)
run(0 ${HBD} ${WORK}/model-pipe.stl model --allow-failing --hbd - -o - --format stl)
same_bytes(${WORK}/model.stl ${WORK}/model-pipe.stl)
run(2 ${none} ${WORK}/empty.out model --hbd - -o - --format step)
file(SIZE ${WORK}/empty.out written)
if(NOT err MATCHES "slot 0 is empty" OR NOT written EQUAL 0)
    message(FATAL_ERROR "an empty calculation file: ${written} bytes written, ${err}")
endif()

# Standard input once only; a broken input from it is an input error, as the same file is.
run(2 ${design} ${none} jis-sheet --input - --title-block - -o -)
if(NOT err MATCHES "only one file can be standard input")
    message(FATAL_ERROR "two inputs from standard input: ${err}")
endif()
file(WRITE ${WORK}/broken.json "{")
run(2 ${none} ${none} chart --input broken.json -o chart.png)
set(from_file "${err}")
run(2 ${WORK}/broken.json ${none} chart --input - -o chart.png)
if(NOT err STREQUAL from_file)
    message(FATAL_ERROR "broken JSON from a pipe: '${err}', from the file: '${from_file}'")
endif()

# A terminal gets no PDF or PNG (script gives the command one).
find_program(SCRIPT script REQUIRED)
execute_process(COMMAND ${SCRIPT} -qec "'${CLI}' sheet --allow-failing --input '${design}' -o -" /dev/null
    OUTPUT_VARIABLE shown RESULT_VARIABLE status)
if(NOT status EQUAL 2 OR NOT shown MATCHES "will not write pdf to a terminal" OR
   shown MATCHES "%PDF")
    message(FATAL_ERROR "sheet -o - on a terminal: status ${status}\n${shown}")
endif()
# An SVG is text: the terminal shows it.
execute_process(COMMAND ${SCRIPT} -qec "'${CLI}' diagram --upper 0.3 --lower 0.1 -o - --format svg"
    /dev/null OUTPUT_VARIABLE shown RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT shown MATCHES "<svg")
    message(FATAL_ERROR "diagram -o - --format svg on a terminal: status ${status}\n${shown}")
endif()
