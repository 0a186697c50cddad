# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers of the scripts that run the real hspring-cli; the caller sets CLI (the executable) and
# WORK (a scratch folder).

# Runs "hspring-cli COMMAND ARGS..." with `stdin_text` as standard input when it is set; leaves
# the output and error text in `answer`.
function(run_cli command expected_status)
    set(input_args)
    if(DEFINED stdin_text)
        file(WRITE ${WORK}/stdin.json "${stdin_text}")
        set(input_args INPUT_FILE ${WORK}/stdin.json)
    endif()
    execute_process(COMMAND ${CLI} ${command} ${ARGN} ${input_args}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL expected_status)
        message(FATAL_ERROR
            "${command} ${ARGN}: status ${status}, expected ${expected_status}\n${out}\n${err}")
    endif()
    set(answer "${out}${err}" PARENT_SCOPE)
endfunction()

# Patterns are single arguments, so brackets in them need no care.
function(expect pattern)
    if(NOT answer MATCHES "${pattern}")
        message(FATAL_ERROR "no match for '${pattern}' in\n${answer}")
    endif()
endfunction()
function(reject pattern)
    if(answer MATCHES "${pattern}")
        message(FATAL_ERROR "unexpected '${pattern}' in\n${answer}")
    endif()
endfunction()
