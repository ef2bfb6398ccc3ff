# Applies the project's warning set to one target.
function(brevlin_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wnon-virtual-dtor)
  if(BREVLIN_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
