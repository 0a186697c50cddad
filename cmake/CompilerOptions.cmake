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
