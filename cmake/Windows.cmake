# The Windows program and the test suites that need Windows. Tests run under
# Wine through CMAKE_CROSSCOMPILING_EMULATOR, set by the presets.
set(WIN_DEFINITIONS UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
# Programs entered through wWinMain or wmain; MSVC finds those by itself.
if(MINGW)
  set(WIDE_ENTRY_POINT -municode)
endif()

file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp src/ui/win32/*.cpp)
add_library(tallowmere_win32 STATIC ${WIN32_SOURCES})
target_link_libraries(tallowmere_win32 PUBLIC tallowmere_core comctl32 gdi32 user32 shell32 advapi32 version)
target_compile_definitions(tallowmere_win32 PUBLIC ${WIN_DEFINITIONS})
target_compile_options(tallowmere_win32 PRIVATE ${PROJECT_WARNINGS})
# Every file of the Windows layer reads the Windows headers.
target_precompile_headers(tallowmere_win32 PRIVATE <windows.h> <memory> <string> <vector>)

# The icons and the hand pointer are drawn by a generator, so the build
# reproduces them; the default block list is a line end alone.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(PROGRAM_ICON ${CMAKE_BINARY_DIR}/Tallowmere.ico)
set(LOCKED_ICON ${CMAKE_BINARY_DIR}/Locked.ico)
set(HAND_CURSOR ${CMAKE_BINARY_DIR}/HAND-M.CUR)
add_custom_command(OUTPUT ${PROGRAM_ICON} ${LOCKED_ICON} ${HAND_CURSOR}
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/make_images.py
          ${PROGRAM_ICON} ${LOCKED_ICON} ${HAND_CURSOR}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_images.py
  COMMENT "Drawing the program icon, its locked variant and the hand pointer")
file(WRITE ${CMAKE_BINARY_DIR}/xsettings.txt "\r\n")

# The version record and the manifest take the project's version.
string(LENGTH "${PROJECT_VERSION_MINOR}" minor_digits)
if(minor_digits EQUAL 1)
  set(VERSION_TEXT "${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR}")
else()
  set(VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
endif()
configure_file(src/app/version.h.in ${CMAKE_BINARY_DIR}/version.h @ONLY)
configure_file(src/app/Tallowmere.manifest.in ${CMAKE_BINARY_DIR}/Tallowmere.manifest @ONLY)

file(GLOB APP_SOURCES CONFIGURE_DEPENDS src/app/*.cpp src/app/*.rc)
add_executable(Tallowmere WIN32 ${APP_SOURCES} ${PROGRAM_ICON} ${LOCKED_ICON} ${HAND_CURSOR})
set_source_files_properties(src/app/Tallowmere.rc PROPERTIES
  OBJECT_DEPENDS "${PROGRAM_ICON};${LOCKED_ICON};${CMAKE_BINARY_DIR}/Tallowmere.manifest;${CMAKE_BINARY_DIR}/version.h")
target_include_directories(Tallowmere PRIVATE ${CMAKE_BINARY_DIR} src/app)
target_link_libraries(Tallowmere PRIVATE tallowmere_win32)
target_link_options(Tallowmere PRIVATE ${WIDE_ENTRY_POINT})
target_compile_options(Tallowmere PRIVATE ${PROJECT_WARNINGS})

# The import table holds nothing but DLLs of Windows itself.
if(CMAKE_OBJDUMP)
  add_test(NAME imports
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DEXE=$<TARGET_FILE:Tallowmere>
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckImports.cmake)
endif()

# The program built again from a copy of the sources in another folder is the
# same byte for byte; one architecture's second build is enough here
# (scripts/reproduce compares both and the packages).
if(MINGW AND CMAKE_TOOLCHAIN_FILE AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_test(NAME reproducible
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR} -DWORK=${CMAKE_BINARY_DIR}/reproducible
            -DEXE=$<TARGET_FILE:Tallowmere> -DTOOLCHAIN=${CMAKE_TOOLCHAIN_FILE}
            -DBUILD_TYPE=$<CONFIG> -DSUPPORT_ADDRESS=${TALLOWMERE_SUPPORT_ADDRESS}
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckReproducible.cmake)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)

# Brings a running Tallowmere into the states whose idle CPU use
# bench/idle-cpu measures.
add_executable(idle_driver bench/win/idle_driver.cpp)
target_link_options(idle_driver PRIVATE ${WIDE_ENTRY_POINT})
target_compile_options(idle_driver PRIVATE ${PROJECT_WARNINGS})
target_compile_definitions(idle_driver PRIVATE ${WIN_DEFINITIONS})

# bench/startup: the time to the shown main window and the memory then, beside
# an empty window program built the same way; its size beside the program's.
add_executable(empty_window WIN32 bench/win/empty_window.cpp)
target_link_options(empty_window PRIVATE ${WIDE_ENTRY_POINT})
target_compile_options(empty_window PRIVATE ${PROJECT_WARNINGS})
target_compile_definitions(empty_window PRIVATE ${WIN_DEFINITIONS})
add_executable(startup_bench bench/win/startup_bench.cpp)
target_link_libraries(startup_bench PRIVATE psapi advapi32)
target_link_options(startup_bench PRIVATE ${WIDE_ENTRY_POINT})
target_compile_options(startup_bench PRIVATE ${PROJECT_WARNINGS})
target_compile_definitions(startup_bench PRIVATE ${WIN_DEFINITIONS})

# The test programs run only on 64-bit Windows (or Wine); GoogleTest is
# built from source for them. A build on Windows itself without GoogleTest's
# sources builds the program alone.
set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows tests")
if(CMAKE_SIZEOF_VOID_P EQUAL 8 AND (CMAKE_CROSSCOMPILING OR EXISTS ${GOOGLETEST_SOURCE_DIR}))
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(library gtest gtest_main gmock)
    target_compile_options(${library} PRIVATE ${TEST_BUILD_OPTIONS})
  endforeach()

  # What the Windows-layer tests, the end-to-end tests and the benchmarks
  # under Wine share: test folders, real input and a window receiving it,
  # programs started and their windows, the screen, waiting on conditions.
  file(GLOB WIN_TEST_SUPPORT_SOURCES CONFIGURE_DEPENDS tests/win/support/*.cpp)
  add_library(win_test_support STATIC ${WIN_TEST_SUPPORT_SOURCES})
  target_include_directories(win_test_support PUBLIC tests)
  target_link_libraries(win_test_support PUBLIC tallowmere_win32 gtest gmock)
  target_compile_options(win_test_support PRIVATE ${PROJECT_WARNINGS} ${TEST_BUILD_OPTIONS})
  target_precompile_headers(win_test_support PRIVATE <windows.h> <gmock/gmock.h> <gtest/gtest.h>
    <chrono> <filesystem> <functional> <memory> <optional> <string> <vector>)

  # Holds the hooks in a process of its own for the end-to-end tests and the
  # benchmark.
  file(GLOB HOOK_HOST_SOURCES CONFIGURE_DEPENDS tests/win/host/*.cpp)
  add_executable(hook_host ${HOOK_HOST_SOURCES})
  target_link_libraries(hook_host PRIVATE win_test_support)
  target_link_options(hook_host PRIVATE ${WIDE_ENTRY_POINT})
  target_compile_options(hook_host PRIVATE ${PROJECT_WARNINGS})

  file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS tests/win/*.cpp)
  add_executable(win_tests ${WIN_TEST_SOURCES})
  target_link_libraries(win_tests PRIVATE win_test_support gtest_main)
  target_compile_options(win_tests PRIVATE ${PROJECT_WARNINGS} ${TEST_BUILD_OPTIONS})
  target_precompile_headers(win_tests REUSE_FROM win_test_support)
  add_dependencies(win_tests hook_host)
  add_test(NAME win_tests COMMAND win_tests)

  # The hook decision and the latency of input with hooks installed, under
  # Wine; scripts/bench prints its figures.
  add_executable(hook_bench bench/DecisionTiming.cpp bench/win/hook_bench.cpp)
  target_include_directories(hook_bench PRIVATE .)
  target_link_libraries(hook_bench PRIVATE win_test_support)
  target_compile_options(hook_bench PRIVATE ${PROJECT_WARNINGS})
  target_link_options(hook_bench PRIVATE ${WIDE_ENTRY_POINT})
  add_dependencies(hook_bench hook_host Tallowmere)

  # End-to-end tests drive the real Tallowmere.exe, which they find beside
  # themselves in the build folder.
  file(GLOB E2E_TEST_SOURCES CONFIGURE_DEPENDS tests/e2e/*.cpp)
  add_executable(e2e_tests ${E2E_TEST_SOURCES})
  target_link_libraries(e2e_tests PRIVATE win_test_support ole32 uuid)
  target_compile_options(e2e_tests PRIVATE ${PROJECT_WARNINGS} ${TEST_BUILD_OPTIONS})
  target_precompile_headers(e2e_tests REUSE_FROM win_test_support)
  target_link_options(e2e_tests PRIVATE ${WIDE_ENTRY_POINT})
  add_dependencies(e2e_tests Tallowmere)
  # Under Wine, CheckWrites.cmake runs them and then checks that the program
  # left nothing on the machine beyond what they take away.
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    add_test(NAME e2e_tests
      COMMAND ${CMAKE_COMMAND} -DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}
              -DPROGRAM=$<TARGET_FILE:e2e_tests> -DARGUMENTS=--gtest_filter=-Installer.*
              -DWORK=${CMAKE_BINARY_DIR}/writes-check -P ${CMAKE_SOURCE_DIR}/cmake/CheckWrites.cmake)
  else()
    add_test(NAME e2e_tests COMMAND e2e_tests --gtest_filter=-Installer.*)
  endif()
  # They share one desktop, pointer and keyboard: nothing runs beside them.
  set_tests_properties(e2e_tests PROPERTIES RUN_SERIAL TRUE TIMEOUT 1200)

  # The installer's tests run the win64 installer, made first by cpack, in a
  # Wine prefix of their own, so that all they find is what it changed.
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    set(INSTALLER_TEST ${CMAKE_BINARY_DIR}/installer-test)
    add_test(NAME installer_package
      COMMAND ${CMAKE_CPACK_COMMAND} -G NSIS --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
              -B ${INSTALLER_TEST})
    add_test(NAME installer
      COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/in-fresh-prefix ${INSTALLER_TEST}/prefix
              ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:e2e_tests> --gtest_filter=Installer.*)
    set_tests_properties(installer_package PROPERTIES FIXTURES_SETUP installer)
    set_tests_properties(installer PROPERTIES FIXTURES_REQUIRED installer RUN_SERIAL TRUE
      TIMEOUT 600 ENVIRONMENT
      "TALLOWMERE_INSTALLER=Z:${INSTALLER_TEST}/Tallowmere-${PROJECT_VERSION}-win64.exe")
  endif()

  # bench/save-latency: how long a key waits in the hooks of a locked
  # Tallowmere while it saves its block list; drives it as the tests do.
  add_executable(save_latency_bench bench/win/save_latency.cpp)
  target_link_libraries(save_latency_bench PRIVATE win_test_support)
  target_link_options(save_latency_bench PRIVATE ${WIDE_ENTRY_POINT})
  target_compile_options(save_latency_bench PRIVATE ${PROJECT_WARNINGS})
  add_dependencies(save_latency_bench Tallowmere)
endif()
