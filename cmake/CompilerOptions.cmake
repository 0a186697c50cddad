# Compiler settings shared by every target of the project.

option(HSPRING_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

function(hspring_compiler_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
        # Results must not depend on the CPU: no fused multiply-add, no fast-math reordering.
        -ffp-contract=off -fno-fast-math)
    if(HSPRING_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined
            -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
    endif()
endfunction()
