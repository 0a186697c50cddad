# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real hspring-cli chart and checks the pictures it writes.
# Variables: CLI (the executable), WORK (a scratch folder).

include(${CMAKE_CURRENT_LIST_DIR}/command_checks.cmake)

file(MAKE_DIRECTORY ${WORK})
file(REMOVE ${WORK}/chart.svg ${WORK}/chart.png)

# SVG: the line, the band and the texts as vectors, no embedded image.
set(stdin_text "{\"freeLength\": 39, \"length1\": 45, \"length2\": 55, \"toleranceGrade\": 3}")
run_cli(chart 0 -o ${WORK}/chart.svg)
file(READ ${WORK}/chart.svg svg)
if(NOT svg MATCHES "<path" OR svg MATCHES "<image" OR NOT svg MATCHES "荷重")
    message(FATAL_ERROR "not a vector chart:\n${svg}")
endif()

# PNG for any other name.
run_cli(chart 0 -o ${WORK}/chart.png)
file(READ ${WORK}/chart.png png LIMIT 4 HEX)
if(NOT png STREQUAL "89504e47")
    message(FATAL_ERROR "not a PNG: ${png}")
endif()

# One design only; a design that cannot be read is an input error, given with its reason.
set(stdin_text "[{}, {}]")
run_cli(chart 2 -o ${WORK}/two.svg)
expect("one design")
set(stdin_text "{\"toleranceGrade\": 5}")
run_cli(chart 2 -o ${WORK}/bad.svg)
expect("toleranceGrade: expected 0, 1, 2 or 3")
run_cli(chart 2)
expect("-o FILE")
