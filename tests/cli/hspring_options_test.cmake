# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the window program as from a plain shell without a display: its options are read before
# it connects to one, so a wrong option is a usage error, and no mode says anything on standard
# error of Qt's own (the runtime folder, the display).
#
#   cmake -DHSPRING=... -DWORK=... -P hspring_options_test.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# run_hspring(STATUS [VARIABLE=VALUE...] ARGUMENTS...): the variables set the locale.
function(run_hspring expected_status)
    set(variables ${ARGN})
    list(FILTER variables INCLUDE REGEX "^[A-Z_]+=")
    set(arguments ${ARGN})
    list(FILTER arguments EXCLUDE REGEX "^[A-Z_]+=")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            --unset=XDG_RUNTIME_DIR --unset=QT_QPA_PLATFORM --unset=LANGUAGE --unset=LC_ALL
            --unset=LC_MESSAGES --unset=LANG ${variables} ${HSPRING} ${arguments}
        WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status STREQUAL expected_status)
        message(FATAL_ERROR "hspring ${ARGN}: status ${status}, expected ${expected_status}\n"
            "${out}${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect text pattern)
    if(NOT text MATCHES "${pattern}")
        message(FATAL_ERROR "expected '${pattern}' in:\n${text}")
    endif()
endfunction()

run_hspring(2 LC_ALL=C --bogus)
expect("${err}" "^hspring: Unknown option 'bogus'\\.\nTry 'hspring --help' for more information\\.\n$")
run_hspring(2 LC_ALL=ja_JP.UTF-8 --print-main-window)
expect("${err}" "^hspring: --print-main-window の後に値がありません\n'hspring --help'")

# The help follows the locale; a manual page is made from each.
run_hspring(0 LC_ALL=C --help)
expect("${out}" "^Usage: hspring \\[FILE.hbd\\]\n.*\nOptions:\n.*\nExit status:\n.*\nFiles:\n")
expect("${err}" "^$")
run_hspring(0 LANG=ja_JP.UTF-8 --help)
expect("${out}" "^使用法: hspring \\[FILE.hbd\\]\n.*\nオプション:\n.*\n終了ステータス:\n")
expect("${err}" "^$")
run_hspring(0 --version)
expect("${err}" "^$")

# The screen print runs offscreen by itself and keeps standard error for its own messages.
run_hspring(0 --print-main-window ${WORK}/main.pdf)
expect("${err}" "^$")
if(NOT EXISTS ${WORK}/main.pdf)
    message(FATAL_ERROR "--print-main-window wrote no PDF")
endif()
