# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real hspring-cli and checks what its commands share: the help of every command names
# every option, usage errors end with status 2 and the command's usage, and the tool is built
# without the window library. Variables: CLI (the executable), VERSION (the project's), WORK (a
# scratch folder).

cmake_policy(SET CMP0057 NEW) # if(IN_LIST)

function(run_cli expected_status)
    execute_process(COMMAND ${CLI} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out
        ERROR_VARIABLE err)
    if(NOT status EQUAL expected_status)
        message(FATAL_ERROR "${ARGN}: status ${status}, expected ${expected_status}\n${out}\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect text pattern)
    if(NOT text MATCHES "${pattern}")
        message(FATAL_ERROR "no match for '${pattern}' in\n${text}")
    endif()
endfunction()

# "help" and "--help" list the commands; the tool alone and an unknown command are usage errors,
# with the list on standard error.
foreach(arguments help --help)
    run_cli(0 ${arguments})
    expect("${out}" "^Usage: hspring-cli COMMAND")
    foreach(command calc search sheet jis-sheet diagram dxf outline shape model chart)
        expect("${out}" "\n  ${command} +[a-z]")
    endforeach()
endforeach()
run_cli(2)
expect("${err}" "^hspring-cli: no command given\nTry 'hspring-cli help'.\n$")
run_cli(2 frobnicate)
expect("${err}" "unknown command 'frobnicate'")

# The version is the project's.
run_cli(0 --version)
if(NOT out STREQUAL "hspring-cli ${VERSION}\n")
    message(FATAL_ERROR "--version printed '${out}', expected hspring-cli ${VERSION}")
endif()

# Output that cannot be written (a full disk) fails the run.
foreach(arguments "--help" "outline;--round;--angle;90;--d;1;--D;10;--N;5")
    execute_process(COMMAND ${CLI} ${arguments} OUTPUT_FILE /dev/full RESULT_VARIABLE status
        ERROR_VARIABLE err)
    if(NOT status EQUAL 1 OR NOT err MATCHES "cannot write to standard output")
        message(FATAL_ERROR "${arguments} > /dev/full: status ${status}\n${err}")
    endif()
endforeach()

# Each command's help: its usage line first, every option, the exit statuses.
set(options_calc --materials --settings --input)
set(options_search --materials --settings --input)
set(options_sheet --hbd --slot --input --left-handed --allow-failing --materials --settings -o)
set(options_jis-sheet --hbd --slot --hook --input --left-handed --title-block --allow-failing
    --materials --settings -o)
set(options_diagram --upper --lower --hook-factor --scale --caption -o --format)
set(options_chart --input --materials --settings -o --format)
set(spring_options --round --angle --u --length --opening --min-radius --d --D --N)
set(options_dxf ${spring_options} --hbd --slot --hook --input --allow-failing --materials
    --settings -o)
set(options_outline ${spring_options})
set(options_shape ${spring_options} --L1 --L2 --view --view-only --scale -o --format)
set(options_model --hbd --slot --hook --input --left-handed --state --allow-failing --materials
    --settings -o --format)
foreach(command calc search sheet jis-sheet diagram dxf outline shape model chart)
    run_cli(0 ${command} --help)
    expect("${out}" "^Usage: hspring-cli ${command} ")
    expect("${out}" "\nExit status:\n  0  done\n  1  [^\n]+\n(     [^\n]+\n)?  2  a usage error, or an input or data file that cannot be read or parsed\n")
    foreach(option ${options_${command}})
        expect("${out}" "\n  ${option}( [A-Z_0-9.]+)? +[a-zA-Z(]")
    endforeach()

    # An unknown option and a missing value: status 2, the problem, then the usage.
    run_cli(2 ${command} --bogus)
    expect("${err}" "^hspring-cli ${command}: unknown option --bogus\nTry 'hspring-cli help ${command}'.\n$")
    list(GET options_${command} -1 last)
    if(NOT last STREQUAL "--N" AND NOT last STREQUAL "--settings")
        run_cli(2 ${command} ${last})
        expect("${err}" "^hspring-cli ${command}: missing (value|file) after ${last}\nTry 'hspring-cli help ${command}'.\n$")
    endif()

    # One exit-status rule: an output name no writer of the command knows and an input that
    # cannot be read are usage errors (2), whatever else the command would check.
    if("-o" IN_LIST options_${command})
        run_cli(2 ${command} -o ${WORK}/out.jpg)
        expect("${err}" "^hspring-cli ${command}: -o [^\n]*out.jpg: writes [.a-z ]+ files only\n")
        if(EXISTS ${WORK}/out.jpg)
            message(FATAL_ERROR "${command} wrote out.jpg")
        endif()
    endif()
    if("--input" IN_LIST options_${command})
        run_cli(2 ${command} --input ${WORK}/missing.json -o ${WORK}/out.pdf)
        expect("${err}" "^hspring-cli ${command}: ")
    endif()
endforeach()

# The same rule run per command that writes a file: 0 when done, the file written; 1 when the
# output cannot be written (its folder is missing), the command naming itself.
file(WRITE ${WORK}/design.json
    "{\"wireDiameter\": 1.2, \"outerDiameter\": 12, \"totalTurns\": 12}")
set(spring --round --angle 80 --d 1 --D 10 --N 20)
# The design is not a sound one: the document commands are asked to write it anyway.
set(writes_sheet pdf --allow-failing --input ${WORK}/design.json)
set(writes_jis-sheet pdf --allow-failing --input ${WORK}/design.json)
set(writes_diagram svg --upper 0.3 --lower 0.1)
set(writes_chart png --input ${WORK}/design.json)
set(writes_dxf dxf ${spring} --dimensions)
set(writes_shape png ${spring} --L2 55)
set(writes_model stl --allow-failing --input ${WORK}/design.json)
foreach(command sheet jis-sheet diagram chart dxf shape model)
    list(POP_FRONT writes_${command} kind)
    file(REMOVE ${WORK}/done.${kind})
    run_cli(0 ${command} ${writes_${command}} -o ${WORK}/done.${kind})
    file(SIZE ${WORK}/done.${kind} written)
    if(written LESS 100)
        message(FATAL_ERROR "${command}: done.${kind} holds ${written} bytes")
    endif()
    run_cli(1 ${command} ${writes_${command}} -o ${WORK}/no-folder/out.${kind})
    expect("${err}" "^hspring-cli ${command}: [^\n]*no-folder")
endforeach()

# The main window's screen print moved to the program; the sheet says where.
run_cli(2 sheet --main-window -o out.pdf)
expect("${err}" "unknown option --main-window")
run_cli(0 help sheet)
expect("${out}" "hspring --print-main-window")

# The tool draws with the painting layer only.
execute_process(COMMAND ldd ${CLI} OUTPUT_VARIABLE libraries RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT libraries MATCHES "Qt6Gui")
    message(FATAL_ERROR "ldd failed on ${CLI}:\n${libraries}")
endif()
if(libraries MATCHES "Widgets|PrintSupport")
    message(FATAL_ERROR "hspring-cli links a window library:\n${libraries}")
endif()

# In a plain shell (no XDG_RUNTIME_DIR) a command that paints says nothing on standard error.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_RUNTIME_DIR --unset=QT_QPA_PLATFORM
    ${CLI} shape --round --angle 90 --d 1 --D 10 --N 10 --L2 60 -o ${WORK}/quiet.png
    RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT err STREQUAL "")
    message(FATAL_ERROR "shape without XDG_RUNTIME_DIR: status ${status}, standard error:\n${err}")
endif()
