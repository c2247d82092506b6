# Compiler settings shared by every target of the project.
#
# Plain IEEE double arithmetic is part of the program's contract: results must
# match the documented order of operations bit for bit, so fused multiply-add
# contraction and fast-math are never allowed.

function(vornell_target_options target)
  set_target_properties(${target} PROPERTIES
    CXX_STANDARD 20
    CXX_STANDARD_REQUIRED ON
    CXX_EXTENSIONS OFF)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wconversion -Wshadow
      -ffp-contract=off -fno-fast-math)
    if(VORNELL_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  elseif(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8 /fp:precise)
    if(VORNELL_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  endif()
endfunction()
