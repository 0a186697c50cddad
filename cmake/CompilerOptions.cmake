# SPDX-License-Identifier: GPL-3.0-or-later
# Compiler settings shared by every target of the project.

option(HSPRING_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

# Precompiled headers: each target parses the big library headers it uses (Qt, GoogleTest,
# CLI11) once instead of once per source file, which saves a build from scratch such as CI's a
# good part of its time. ccache does not cache compilations that use them (not without extra
# settings), so where ccache launches the compiler they are off unless asked for.
if(CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
    set(hspring_precompiled_headers_default OFF)
else()
    set(hspring_precompiled_headers_default ON)
endif()
option(HSPRING_PRECOMPILED_HEADERS "Precompile the library headers each target uses"
    ${hspring_precompiled_headers_default})

function(hspring_compiler_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
        # Results must not depend on the CPU: no fused multiply-add, no fast-math reordering.
        -ffp-contract=off -fno-fast-math)
    if(HSPRING_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined
            -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
        # Built with clang, every object also carries libFuzzer's coverage, so the fuzz targets
        # (fuzz/) link the very core the sanitizer suite checks instead of a build of their own.
        if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
            target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
        endif()
    endif()
endfunction()

# Precompiles the given library headers (<QWidget>, <gtest/gtest.h>, ...) for `target`.
function(hspring_precompiled_headers target)
    if(HSPRING_PRECOMPILED_HEADERS)
        target_precompile_headers(${target} PRIVATE ${ARGN})
    endif()
endfunction()

# Debian's hardening (stack protector, fortified library calls, read-only relocations bound at
# start) from dpkg-buildflags, as Debian builds its packages, for every object and program. The
# sanitizer build keeps its own instrumentation instead.
find_program(HSPRING_DPKG_BUILDFLAGS dpkg-buildflags)
if(HSPRING_DPKG_BUILDFLAGS AND NOT HSPRING_SANITIZE AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    set(hspring_hardening_default ON)
else()
    set(hspring_hardening_default OFF)
endif()
option(HSPRING_DEBIAN_HARDENING "Compile and link with the flags of dpkg-buildflags"
    ${hspring_hardening_default})
if(HSPRING_DEBIAN_HARDENING)
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${HSPRING_DPKG_BUILDFLAGS} --get ${kind}
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        separate_arguments(flags UNIX_COMMAND "${flags}")
        # The build type chooses the optimisation and the debug information.
        list(FILTER flags EXCLUDE REGEX "^-O[0-9s]?$|^-g$")
        if(kind STREQUAL "LDFLAGS")
            add_link_options(${flags})
        else()
            add_compile_options(${flags})
        endif()
    endforeach()
endif()
