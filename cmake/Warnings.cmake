# Every target of ours is built with the same warnings; the build stays free of them.
function(vornelle_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  # GCC 12 reports -Wrestrict for plain std::string concatenation at -O2 (a known false
  # positive of that release); other compilers keep the warning.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()
