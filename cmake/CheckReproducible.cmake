# Builds the program a second time, from a copy of the sources in another
# folder into another build folder, and fails unless it comes out the same
# byte for byte as the one of this build: neither the time of the build nor
# the paths of its folders may reach the executable.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})
set(source ${WORK}/sources-copied-elsewhere)
file(GLOB entries LIST_DIRECTORIES true ${SOURCE}/*)
list(FILTER entries EXCLUDE REGEX "/(\\.git|build|out)$")
file(COPY ${entries} DESTINATION ${source})
execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${source} -B ${WORK}/build -G Ninja
          -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
          "-DTALLOWMERE_SUPPORT_ADDRESS=${SUPPORT_ADDRESS}"
  OUTPUT_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "configuring the copy failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK}/build --target Tallowmere --parallel 2
                OUTPUT_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "building the copy failed")
endif()
file(SHA256 ${EXE} here)
file(SHA256 ${WORK}/build/Tallowmere.exe there)
message(STATUS "SHA-256 ${here} ${EXE}")
message(STATUS "SHA-256 ${there} ${WORK}/build/Tallowmere.exe")
if(NOT here STREQUAL there)
  execute_process(COMMAND cmp -l ${EXE} ${WORK}/build/Tallowmere.exe OUTPUT_VARIABLE bytes)
  string(SUBSTRING "${bytes}" 0 400 bytes)
  message(FATAL_ERROR "the two builds differ; offset (from 1) and octal bytes:\n${bytes}")
endif()
file(REMOVE_RECURSE ${WORK})
