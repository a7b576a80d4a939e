# Every target of the project compiles with warnings as errors.
function(krostream_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror -Wshadow
                                           -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
                                           -Woverloaded-virtual -Wnull-dereference)
endfunction()
