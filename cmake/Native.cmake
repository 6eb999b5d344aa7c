# Unit tests of the core, with the system's GoogleTest.
find_package(GTest REQUIRED)

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_include_directories(unit_tests PRIVATE tests)
target_link_libraries(unit_tests PRIVATE tallowmere_core GTest::gtest_main GTest::gmock)
target_compile_options(unit_tests PRIVATE ${PROJECT_WARNINGS} ${TEST_BUILD_OPTIONS})
target_precompile_headers(unit_tests PRIVATE <gmock/gmock.h> <gtest/gtest.h> <functional> <map>
  <memory> <string> <vector>)
add_test(NAME unit_tests COMMAND unit_tests)

# The hook decision on this system; scripts/bench prints its figures.
add_executable(decision_bench bench/DecisionTiming.cpp bench/native/decision_bench.cpp)
target_include_directories(decision_bench PRIVATE .)
target_link_libraries(decision_bench PRIVATE tallowmere_core)
target_compile_options(decision_bench PRIVATE ${PROJECT_WARNINGS})

option(TALLOWMERE_FUZZ "Build the fuzz targets (needs clang)" OFF)
if(TALLOWMERE_FUZZ)
  include(cmake/Fuzz.cmake)
endif()
