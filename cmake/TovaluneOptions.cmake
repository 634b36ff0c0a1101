# Build-wide switches and warning flags.
option(TOVALUNE_BUILD_TESTS "Build the unit tests" ON)
option(TOVALUNE_BUILD_BENCHMARKS "Build the benchmarks (the Windows build: the engine's only)" OFF)
option(TOVALUNE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE Release CACHE STRING "Build type" FORCE)
endif()

# Strict IEEE arithmetic: the engine's clamps and NaN guards rely on it.
add_compile_options(-Wall -Wextra -fno-fast-math)

if(TOVALUNE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # One self-contained binary: no MinGW runtime DLLs beside the plug-in.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()
