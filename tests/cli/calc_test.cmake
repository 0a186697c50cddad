# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real hspring-cli calc and checks its answers and exit statuses.
# Variables: CLI (the executable), DATA (tests/testdata/calc), WORK (a scratch folder).

include(${CMAKE_CURRENT_LIST_DIR}/command_checks.cmake)

file(MAKE_DIRECTORY ${WORK})
get_filename_component(program_folder ${CLI} DIRECTORY)

# One design from standard input with the data files next to the program: one object back.
set(stdin_text "{\"freeLength\": 39}")
run_cli(calc 0)
expect("^{\"inUse\":1,\"materialIndex\":0,")
expect("\"springRate\":[0-9.e-]+,")
expect("\"checks\":\\[\"")
expect("\"lifeText\":\"")
expect("}\n$")
reject("\"error\"")

# The same files named explicitly; an empty batch is an empty array.
set(stdin_text "[]")
run_cli(calc 0 --materials ${program_folder}/zaidat.dst --settings ${program_folder}/hspring.set)
expect("^\\[\n\n\\]\n$")

# A batch from a file: answers in order, faults in place (a coil diameter no larger than the wire
# is refused), the exit status says one failed.
unset(stdin_text)
run_cli(calc 1 --input ${DATA}/designs.json)
expect("^\\[\n{\"inUse\":1,[^\n]*},\n{\"inUse\":1,[^\n]*\"lengthMode\":0,[^\n]*},\n")
expect("\n{\"error\":\"meanDiameter leaves the coil no inner diameter: [^\n]*\"},\n")
expect("\n{\"error\":\"materialIndex 99 is outside the material library \\(0..29\\)\"}\n\\]\n$")

# --keys: only the keys named, in the answer's order; an error keeps its place; an unknown key is a
# usage error.
set(stdin_text "[{\"freeLength\": 39}, {\"materialIndex\": 99}]")
run_cli(calc 1 --keys hookLifeText,springRate)
expect("^\\[\n{\"springRate\":[0-9.e-]+,\"hookLifeText\":\"[^\"]+\"},\n{\"error\":[^\n]+}\n\\]\n$")
run_cli(calc 2 --keys springRate,springrate)
expect("--keys: \"springrate\" is no output key")
reject("springRate\":")

# Broken JSON, unreadable files and unknown options.
set(stdin_text "{\"freeLength\": }")
run_cli(calc 1)
expect("^{\"error\":\"JSON: unexpected character at byte 15\"}\n$")
set(stdin_text "{}")
run_cli(calc 2 --materials ${WORK}/missing.dst)
expect("cannot open file [^\n]*missing.dst")
reject("inUse")
run_cli(calc 2 --input ${WORK}/missing.json)
expect("cannot open file [^\n]*missing.json")
run_cli(calc 2 --frobnicate)
expect("unknown option --frobnicate")
expect("\nTry 'hspring-cli help calc'")
run_cli(calc 2 --input)
expect("missing file after --input")
run_cli(calc 0 --help)
expect("^Usage: hspring-cli calc")
# Every key with its unit, after the options and before the exit statuses.
expect("\n  --input FILE .*\nInput keys of a design .*\n  load1, load2 +P1, P2, working loads, kgf\n")
expect("\n  hookBendingStress1, hookBendingStress2\n[^\n]+kgf/mm\\^2 .*energy12 \\(N·mm\\)\n.*\nExit status:\n  0  done\n")
