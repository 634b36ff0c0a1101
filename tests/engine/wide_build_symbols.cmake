# Fails when an object of the wide (AVX2) build of the voice path defines a global or weak
# symbol outside Engine::Wide: the linker could hand such a copy of a shared inline function to
# the baseline path, which then runs AVX2 instructions on processors without them.
# cmake -DNM=<nm> -DOBJECTS=<object;...> -P wide_build_symbols.cmake
foreach(object IN LISTS OBJECTS)
  execute_process(COMMAND ${NM} -C --defined-only ${object} OUTPUT_VARIABLE symbols
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${NM} could not read ${object}")
  endif()
  string(REPLACE "\n" ";" lines "${symbols}")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[0-9a-f]+ [A-Zuvw] (.*)$")
      set(symbol "${CMAKE_MATCH_1}")
      if(NOT symbol MATCHES "Engine::Wide::")
        message(SEND_ERROR "${object} defines ${symbol} outside Engine::Wide")
      endif()
    endif()
  endforeach()
endforeach()
