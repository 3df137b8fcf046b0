# Shared build settings and the helpers every folder uses.

add_compile_options(-Wall -Wextra)
if(Q31_SANITIZE)
  add_compile_options(-fsanitize=${Q31_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${Q31_SANITIZE})
endif()

# q31_add_library(NAME SOURCES ... [DEPS ...]): the one library of a source folder.
function(q31_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# q31_add_test(NAME SOURCES ... [DEPS ...]): one GoogleTest program, run by CTest
# on Qt's offscreen platform.
function(q31_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE q31_test_main ${ARG_DEPS})
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()

# q31_add_benchmark(NAME SOURCES ... [DEPS ...])
function(q31_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE benchmark::benchmark ${ARG_DEPS})
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
