# Tests of the wave view settings, geometry and painting. tests/shell/CMakeLists.txt
# includes this file and adds these sources to the shell tests (linked with kalvora_shell).
set(kalvora_wave_painting_test_sources
  ${CMAKE_CURRENT_LIST_DIR}/wave_view_geometry_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wave_view_props_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wave_painter_test.cpp
)
