# Shared build settings and the helpers every folder uses.

add_compile_options(-Wall -Wextra)
if(Q31_SANITIZE)
  add_compile_options(-fsanitize=${Q31_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${Q31_SANITIZE})
endif()

# What every program is built with beyond its own sources: under
# ThreadSanitizer, what to ignore of uninstrumented Qt and GLib.
add_library(q31_program_defaults INTERFACE)
if(Q31_SANITIZE MATCHES "thread")
  target_sources(q31_program_defaults INTERFACE ${CMAKE_CURRENT_LIST_DIR}/thread_sanitizer_defaults.cpp)
endif()

# q31_add_library(NAME SOURCES ... [DEPS ...]): the one library of a source folder.
function(q31_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# q31_add_program(NAME SOURCES ... [DEPS ...]): one program.
function(q31_add_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE q31_program_defaults ${ARG_DEPS})
endfunction()

# q31_add_test(NAME [SERIAL] SOURCES ... [DEPS ...] [LABELS ...]): one GoogleTest
# program, run by CTest on Qt's offscreen platform; its tests carry the labels
# (ctest -L). SERIAL tests run alone, for those that time the machine's answers.
function(q31_add_test name)
  cmake_parse_arguments(ARG "SERIAL" "" "SOURCES;DEPS;LABELS" ${ARGN})
  q31_add_program(${name} SOURCES ${ARG_SOURCES} DEPS q31_test_main ${ARG_DEPS})
  set(properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  if(ARG_SERIAL)
    list(APPEND properties RUN_SERIAL TRUE)
  endif()
  gtest_discover_tests(${name}
    PROPERTIES ${properties}
    DISCOVERY_TIMEOUT 60)
endfunction()

# q31_add_benchmark(NAME SOURCES ... [DEPS ...])
function(q31_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  q31_add_program(${name} SOURCES ${ARG_SOURCES} DEPS benchmark::benchmark ${ARG_DEPS})
endfunction()

# Adds every sub-folder of the current folder that has a CMakeLists.txt.
function(q31_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true "${CMAKE_CURRENT_SOURCE_DIR}/*")
  foreach(child IN LISTS children)
    if(EXISTS "${child}/CMakeLists.txt")
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
