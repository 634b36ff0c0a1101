# The editor's images, drawn at build time by the artwork generator (tools/artwork) into
# ${TOVALUNE_ARTWORK_DIR}: scale1/ and scale2/ with the 35 PNG files and a resource script each,
# and contact_sheet_scale1.png, contact_sheet_scale2.png to look at. The generator always runs
# on the build machine: the native build compiles it as one of its own targets, the Windows
# cross build compiles it as a separate host project with the host compilers. The images are
# drawn again whenever the generator or the layout headers change.

set(TOVALUNE_ARTWORK_DIR ${CMAKE_BINARY_DIR}/artwork)
set(artwork_layout_headers
  ${PROJECT_SOURCE_DIR}/instrument/editor/editor_images.h
  ${PROJECT_SOURCE_DIR}/instrument/editor/editor_layout.h
  ${PROJECT_SOURCE_DIR}/instrument/editor/editor_sections.h
  ${PROJECT_SOURCE_DIR}/instrument/effect_panels.h
  ${PROJECT_SOURCE_DIR}/engine/engine_params.h)

if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  find_program(TOVALUNE_HOST_CC NAMES gcc cc REQUIRED)
  find_program(TOVALUNE_HOST_CXX NAMES g++ c++ REQUIRED)
  set(artwork_host_dir ${CMAKE_BINARY_DIR}/artwork-host)
  set(TOVALUNE_ARTWORK_GENERATOR ${artwork_host_dir}/tovalune_artwork)
  ExternalProject_Add(tovalune_artwork_host
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/artwork
    BINARY_DIR ${artwork_host_dir}
    CMAKE_ARGS
      -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_C_COMPILER=${TOVALUNE_HOST_CC}
      -DCMAKE_CXX_COMPILER=${TOVALUNE_HOST_CXX}
    # Its own make decides what to rebuild; the generator file changes only when relinked.
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${TOVALUNE_ARTWORK_GENERATOR})
  set(artwork_generator_deps tovalune_artwork_host ${TOVALUNE_ARTWORK_GENERATOR})
else()
  add_subdirectory(${PROJECT_SOURCE_DIR}/tools/artwork ${CMAKE_BINARY_DIR}/tools/artwork)
  set(TOVALUNE_ARTWORK_GENERATOR $<TARGET_FILE:tovalune_artwork>)
  set(artwork_generator_deps tovalune_artwork)
endif()

set(TOVALUNE_ARTWORK_OUTPUTS
  ${TOVALUNE_ARTWORK_DIR}/scale1/tovalune_images.rc
  ${TOVALUNE_ARTWORK_DIR}/scale2/tovalune_images.rc
  ${TOVALUNE_ARTWORK_DIR}/contact_sheet_scale1.png
  ${TOVALUNE_ARTWORK_DIR}/contact_sheet_scale2.png)
add_custom_command(
  OUTPUT ${TOVALUNE_ARTWORK_OUTPUTS}
  COMMAND ${TOVALUNE_ARTWORK_GENERATOR} ${TOVALUNE_ARTWORK_DIR}
  DEPENDS ${artwork_generator_deps} ${artwork_layout_headers}
  COMMENT "Drawing the editor artwork into ${TOVALUNE_ARTWORK_DIR}"
  VERBATIM)
add_custom_target(tovalune_artwork_images ALL DEPENDS ${TOVALUNE_ARTWORK_OUTPUTS})

# tovalune_embed_artwork(<target> SCALE 1|2)
# Embeds the 35 images of one scale into a Windows binary: the generated resource script names
# each PNG file under its id (101-135) with resource type "PNG". The VST3 module takes scale 1,
# the VST2 library scale 2; tests/artwork checks every binary it knows of under Wine. Windows
# builds only (needs the resource compiler).
function(tovalune_embed_artwork target)
  cmake_parse_arguments(ARG "" "SCALE" "" ${ARGN})
  if(NOT ARG_SCALE MATCHES "^[12]$")
    message(FATAL_ERROR "tovalune_embed_artwork(${target}): SCALE must be 1 or 2")
  endif()
  if(NOT WIN32)
    message(FATAL_ERROR "tovalune_embed_artwork(${target}): resources exist in Windows builds only")
  endif()
  set(script ${TOVALUNE_ARTWORK_DIR}/scale${ARG_SCALE}/tovalune_images.rc)
  set_source_files_properties(${script} PROPERTIES GENERATED ON)
  target_sources(${target} PRIVATE ${script})
  add_dependencies(${target} tovalune_artwork_images)
endfunction()
