# Warnings are errors everywhere; the sanitizer build instruments the whole tree.
add_compile_options(-Wall -Wextra -Werror)

# GCC 12 at -O2 and above reports overlapping copies inside std::string's operator+ and
# insert that cannot happen (its bug 105651); every "text" + string in Release tripped it.
# The warning stays on for other compilers and versions.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()

if(KALVORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Each core subsystem is one library. kalvora_core_library(NAME sources... LINKS libs...)
# keeps them alike: include root at src/, standard library only unless a link says otherwise.
function(kalvora_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(ARG_LINKS)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  endif()
endfunction()

# The fuzz build instruments every library for coverage; fuzz/ links the fuzzer driver.
if(KALVORA_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Every core library that exists, for programs that use the whole core (fuzzers, benchmarks).
function(kalvora_link_core target)
  foreach(lib kalvora_platform kalvora_sound kalvora_xml kalvora_documents kalvora_volume
              kalvora_music kalvora_notation kalvora_shell)
    if(TARGET ${lib})
      target_link_libraries(${target} PRIVATE ${lib})
    endif()
  endforeach()
endfunction()
