# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real hspring-cli search and checks its answers and exit statuses.
# Variables: CLI (the executable), WORK (a scratch folder).

include(${CMAKE_CURRENT_LIST_DIR}/command_checks.cmake)

file(MAKE_DIRECTORY ${WORK})
set(light "\"length1\": 45, \"load1\": 1, \"length2\": 55, \"load2\": 2, \"loadTolerance\": 20")

# One requirement: an array of candidates, one per line, ranked, each a full calc answer.
set(stdin_text "{${light}, \"count\": 3}")
run_cli(search 0)
expect("^\\[\n{\"rank\":1,\"inUse\":1,[^\n]*\"checks\":\\[\"Calculation Success!\"\\],[^\n]*\"springMass\":[^\n]*},\n{\"rank\":2,[^\n]*},\n{\"rank\":3,[^\n]*}\n\\]\n$")
expect("\"autoInitialTension\":0,")
expect("\"length1\":45,\"length2\":55,")

# An array of requirements: an array of answers; nothing feasible is an object that says why
# and a malformed requirement an error in its place, with exit status 1.
set(stdin_text "[{${light}, \"count\": 1, \"hookType\": \"u\"},
  {\"length1\": 40, \"load1\": 200, \"length2\": 50, \"load2\": 300, \"maxOuterDiameter\": 6},
  {${light}, \"count\": 0}]")
run_cli(search 1)
expect("^\\[\n\\[\n{\"rank\":1,[^\n]*\"hookType\":\"u\",[^\n]*}\n\\],\n{\"calculated\":0,\"rejected\":{\"outerDiameter\":[1-9][0-9]*,[^\n]*},\"nearestMiss\":null},\n{\"error\":\"count must lie within 1..1000\"}\n\\]\n$")

# Broken JSON; a missing data file; the help names every key.
set(stdin_text "{\"length1\": }")
run_cli(search 1)
expect("^{\"error\":\"JSON: ")
run_cli(search 2 --materials ${WORK}/missing.dst)
expect("cannot open file [^\n]*missing.dst")
run_cli(search 0 --help)
expect("^Usage: hspring-cli search ")
foreach(key length1 load1 length2 load2 loadTolerance toleranceGrade maxOuterDiameter minInnerDiameter
        maxFreeLength requiredLifeClass materials kinds lowTempAnnealed hookType hookAngle
        hookLength hookOpening hookMinRadius diameterStep objective count springMass)
    expect("\n  ([a-z0-9]+, )?${key}[ ,]")
endforeach()
