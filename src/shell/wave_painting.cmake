# Wave view settings, view geometry and waveform painting: part of kalvora_shell.
# src/shell/CMakeLists.txt includes this file and builds these sources into kalvora_shell
# with these links, e.g.
#   include(${CMAKE_CURRENT_SOURCE_DIR}/wave_painting.cmake)
#   kalvora_core_library(kalvora_shell SOURCES ... ${kalvora_wave_painting_sources}
#                        LINKS ... ${kalvora_wave_painting_links})
set(kalvora_wave_painting_sources
  ${CMAKE_CURRENT_LIST_DIR}/wave_view_props.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wave_view_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wave_painter.cpp
)
set(kalvora_wave_painting_links kalvora_platform kalvora_sound)
