# Warnings are errors for the project's own code.
function(vemu_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
    -Wno-error=deprecated-declarations)
  # GCC 12 reports false -Wrestrict findings inside libstdc++'s string
  # concatenation at -O3 (char_traits.h, never our own copies): off there, so
  # an optimised build stays free of warnings.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()
