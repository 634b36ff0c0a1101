# tovalune_add_gtest(<target> SOURCES <files...> LIBS <libs...>)
# One test program per subsystem. Natively it runs directly; in the Windows
# build CTest runs it through the cross-compiling emulator (Wine).
if(TOVALUNE_BUILD_TESTS)
  if(CMAKE_CROSSCOMPILING)
    find_package(GTest REQUIRED CONFIG PATHS ${TOVALUNE_DEPS_PREFIX} NO_DEFAULT_PATH)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()

function(tovalune_add_gtest target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${target} COMMAND ${target} --gtest_color=no)
  set_tests_properties(${target} PROPERTIES TIMEOUT 900)
endfunction()
