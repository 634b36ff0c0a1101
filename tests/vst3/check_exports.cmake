# Checks that the VST3 module exports exactly its three entry points by name.
# cmake -DOBJDUMP=<objdump> -DMODULE=<Tovalune.vst3> -P check_exports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} could not read ${MODULE}")
endif()
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([ \t]+\\[[^\n]*\n)*)" table "${dump}")
string(REGEX MATCHALL "\\][ \t]+[A-Za-z_][A-Za-z0-9_@]*" entries "${CMAKE_MATCH_1}")
string(REGEX REPLACE "\\][ \t]+" "" entries "${entries}")
list(SORT entries)
if(NOT entries STREQUAL "ExitDll;GetPluginFactory;InitDll")
  message(FATAL_ERROR "exports of ${MODULE}: '${entries}', expected ExitDll;GetPluginFactory;InitDll")
endif()
message(STATUS "exports: ${entries}")
