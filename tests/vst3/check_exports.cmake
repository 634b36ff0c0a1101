# Checks that a plug-in library exports exactly its entry points by name (the VST3 module's
# three unless EXPECTED names others, sorted and separated by commas).
# cmake -DOBJDUMP=<objdump> -DMODULE=<library> [-DEXPECTED=<a,b>] -P check_exports.cmake
if(NOT DEFINED EXPECTED)
  set(EXPECTED "ExitDll,GetPluginFactory,InitDll")
endif()
string(REPLACE "," ";" EXPECTED "${EXPECTED}")
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} could not read ${MODULE}")
endif()
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([ \t]+\\[[^\n]*\n)*)" table "${dump}")
string(REGEX MATCHALL "\\][ \t]+[A-Za-z_][A-Za-z0-9_@]*" entries "${CMAKE_MATCH_1}")
string(REGEX REPLACE "\\][ \t]+" "" entries "${entries}")
list(SORT entries)
if(NOT entries STREQUAL EXPECTED)
  message(FATAL_ERROR "exports of ${MODULE}: '${entries}', expected ${EXPECTED}")
endif()
message(STATUS "exports: ${entries}")
