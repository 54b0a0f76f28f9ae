# Helpers shared by every component's CMakeLists.txt.

include(GoogleTest)

# Warnings for our own code only; errors unless LUMARINE_WARNINGS_AS_ERRORS
# is turned off.
add_library(lumarine_warnings INTERFACE)
target_compile_options(lumarine_warnings INTERFACE -Wall -Wextra $<$<BOOL:${LUMARINE_WARNINGS_AS_ERRORS}>:-Werror>)

# How many times slower the tests run in this build than in a plain one:
# the sanitizers run the same code 5 to 20 times slower. Test time-outs and
# the waits of the tests (testing/patience.h) grow by this factor.
if(LUMARINE_SANITIZE MATCHES "thread")
  set(LUMARINE_TEST_SLOWDOWN 20)
elseif(LUMARINE_SANITIZE OR LUMARINE_FUZZ)
  set(LUMARINE_TEST_SLOWDOWN 10)
else()
  set(LUMARINE_TEST_SLOWDOWN 1)
endif()

# lumarine_add_test_suite(<target> SOURCES ... [LIBRARIES ...] [LABELS ...] [TIMEOUT s])
# One GoogleTest binary per component. Each test case becomes one CTest test,
# discovered when the tests run (so a sanitizer tree never runs binaries at
# build time). The label "tsan" marks suites that CI also runs under
# ThreadSanitizer. TIMEOUT (default 120 s) is for a plain build; it grows
# with LUMARINE_TEST_SLOWDOWN.
function(lumarine_add_test_suite target)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBRARIES;LABELS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  math(EXPR ARG_TIMEOUT "${ARG_TIMEOUT} * ${LUMARINE_TEST_SLOWDOWN}")
  math(EXPR discovery_timeout "60 * ${LUMARINE_TEST_SLOWDOWN}")
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main lumarine_warnings)
  # The label list passes through three list expansions on its way to
  # set_tests_properties (here, in GoogleTest.cmake and in the discovery
  # script); seven backslashes keep its ";" a list separator to the end.
  # Without them only the first label survives.
  string(REPEAT "\\" 7 backslashes)
  set(labels ${target} ${ARG_LABELS})
  list(JOIN labels "${backslashes};" labels)
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT ${discovery_timeout}
    PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS "${labels}")
endfunction()

# lumarine_add_benchmark(<target> SOURCES ... [LIBRARIES ...])
# Benchmarks land in bin/bench/, where `make bench` runs each of them.
function(lumarine_add_benchmark target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT TARGET benchmark::benchmark)
    message(STATUS "Google Benchmark not found: ${target} skipped")
    return()
  endif()
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} benchmark::benchmark lumarine_warnings)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/bench)
endfunction()

# lumarine_add_fuzzer(<target> SOURCES ... [LIBRARIES ...])
# libFuzzer targets exist only in a LUMARINE_FUZZ tree; they land in
# bin/fuzz/, where `make fuzz` runs each for a bounded time.
if(LUMARINE_FUZZ)
  add_custom_target(fuzz_all)
endif()
function(lumarine_add_fuzzer target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT LUMARINE_FUZZ)
    return()
  endif()
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} lumarine_warnings)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/fuzz)
  add_dependencies(fuzz_all ${target})
endfunction()

# lumarine_add_subdirectories(): adds every immediate subfolder that has a
# CMakeLists.txt, so bench/, fuzz/ and examples/ grow without edits here.
function(lumarine_add_subdirectories)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
