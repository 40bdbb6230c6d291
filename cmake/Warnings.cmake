function(vkx_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
    -Wnon-virtual-dtor -Wimplicit-fallthrough)
  if(VKX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
