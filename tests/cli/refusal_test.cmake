# SPDX-License-Identifier: GPL-3.0-or-later
# A design that is no spring is refused by every command that takes one, naming the field: the
# calculation answers its error, the documents are not written, the search takes no requirement
# whose hook cannot be drawn.
# Variables: CLI (the executable), WORK (a scratch folder).

include(${CMAKE_CURRENT_LIST_DIR}/command_checks.cmake)

file(MAKE_DIRECTORY ${WORK})

# calc: each nonsense in its place of a batch, named; the sound design beside them answered.
set(stdin_text "[{\"totalTurns\": -5}, {\"meanDiameter\": -5}, {\"totalTurns\": 1e300},
  {\"meanDiameter\": 1e300}, {\"wireDiameter\": 1e-300}, {\"hookAngle\": 200},
  {\"autoInitialTension\": 0, \"initialTension\": -0.1}, {\"meanDiameter\": 1, \"wireDiameter\": 1},
  {\"hookType\": \"u\", \"hookMinRadius\": 0}, {\"freeLength\": 39}]")
run_cli(calc 1)
expect("^\\[\n{\"error\":\"totalTurns must be a positive finite number\"},\n{\"error\":\"meanDiameter must be a positive finite number\"},\n{\"error\":\"totalTurns is so large or so small that the results overflow\"},\n{\"error\":\"meanDiameter is so large or so small that the results overflow\"},\n{\"error\":\"wireDiameter is so large or so small that the results overflow\"},\n{\"error\":\"hookAngle must lie within 0..180 degrees: the hook cannot be drawn\"},\n{\"error\":\"initialTension must not be below 0\"},\n{\"error\":\"meanDiameter leaves the coil no inner diameter[^\n]*\"},\n{\"error\":\"hookMinRadius must be a positive finite number\"},\n{\"inUse\":1,[^\n]*}\n\\]\n$")

# The documents of such a design are not written, and the reason names the field.
set(stdin_text "{\"totalTurns\": -5}")
foreach(command sheet jis-sheet)
    run_cli(${command} 1 -o ${WORK}/refused.pdf)
    expect("^hspring-cli ${command}: totalTurns must be a positive finite number\n$")
endforeach()
set(stdin_text "{\"meanDiameter\": -5}")
run_cli(chart 1 -o ${WORK}/refused.png)
expect("meanDiameter must be a positive finite number")
unset(stdin_text)
run_cli(dxf 1 --round --angle 200 --d 1 --D 10 --N 12 -o ${WORK}/refused.dxf)
expect("hookAngle must lie within 0..180 degrees")
# A design's hook that cannot be drawn is drawn by no document, asked for anyway or not.
set(stdin_text "{\"hookAngle\": 200}")
run_cli(dxf 1 --input - --allow-failing -o ${WORK}/refused.dxf)
expect("hookAngle must lie within 0..180 degrees")
run_cli(model 1 --allow-failing -o ${WORK}/refused.stl)
expect("hookAngle must lie within 0..180 degrees")
unset(stdin_text)
run_cli(shape 1 --round --angle 80 --d 1 --D -5 --N 12 --L2 60 -o ${WORK}/refused.png)
expect("meanDiameter must be a positive finite number")
run_cli(outline 1 --u --length 9 --opening 2.5 --min-radius 1.5 --d 1 --D 10 --N -5)
expect("totalTurns must be a positive finite number")
foreach(file refused.pdf refused.png refused.dxf refused.stl)
    if(EXISTS ${WORK}/${file})
        message(FATAL_ERROR "${file} was written for a refused design")
    endif()
endforeach()

# The search refuses a hook that cannot be drawn before it searches.
set(stdin_text "{\"length1\": 45, \"load1\": 1, \"length2\": 55, \"load2\": 2, \"hookAngle\": 200}")
run_cli(search 1)
expect("^{\"error\":\"hookAngle must lie within 0..180 degrees: the hook cannot be drawn\"}\n$")
set(stdin_text "{\"length1\": 45, \"load1\": 1, \"length2\": 55, \"load2\": 2, \"hookType\": \"u\",
  \"hookOpening\": 0}")
run_cli(search 1)
expect("^{\"error\":\"hookOpening must be above 0\"}\n$")
