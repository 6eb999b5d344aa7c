# libFuzzer targets of the core's readers and writers (preset fuzz, clang):
# one program per tests/fuzz/*.cpp, its seed corpus in
# tests/fuzz/corpus/<program>. scripts/fuzz builds and runs them.
file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS tests/fuzz/*.cpp)
add_custom_target(fuzz_targets)
foreach(source ${FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_include_directories(${name} PRIVATE tests)
  # The fakes of the unit tests check a few calls with GoogleTest.
  target_link_libraries(${name} PRIVATE tallowmere_core GTest::gtest)
  target_compile_options(${name} PRIVATE ${PROJECT_WARNINGS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(fuzz_targets ${name})
endforeach()
