# Warnings are errors for the project's own code; third-party targets are left alone.
function(korvane_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
                                             -finput-charset=UTF-8 -fexec-charset=UTF-8)
  endif()
endfunction()
