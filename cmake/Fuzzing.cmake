# libFuzzer targets: built only with clang and its fuzzer runtime.
# After include(), Q31_HAVE_LIBFUZZER says whether they can be built and
# Q31_FUZZ_FLAGS holds the compile options for the code under test.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(Q31_HAVE_LIBFUZZER OFF)
  return()
endif()
include(CheckCXXSourceCompiles)
set(CMAKE_REQUIRED_LINK_OPTIONS -fsanitize=fuzzer)
check_cxx_source_compiles(
  "#include <cstdint>
   #include <cstddef>
   extern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }"
  Q31_HAVE_LIBFUZZER)
unset(CMAKE_REQUIRED_LINK_OPTIONS)
if(NOT Q31_HAVE_LIBFUZZER)
  message(STATUS "libFuzzer not found: the fuzz targets are not built")
endif()
set(Q31_FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)

# q31_add_fuzz_target(NAME SOURCE DEPS ...): one libFuzzer program.
function(q31_add_fuzz_target name source)
  add_executable(${name} ${source})
  target_compile_options(${name} PRIVATE ${Q31_FUZZ_FLAGS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${ARGN})
endfunction()
