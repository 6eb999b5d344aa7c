# Run by cpack once it has made a package: makes the zip again with Info-ZIP's
# zip, since the one cpack makes records the ids of the user who made it and
# each file's time in that machine's time zone. This one holds the files in
# the order of their names, no folder entries and no extra fields (-X: no
# owner, no Unix times), and each file's time (PackageTimes.cmake) in UTC.
cmake_minimum_required(VERSION 3.25)
if(NOT CPACK_GENERATOR STREQUAL "ZIP")
  return()
endif()
find_program(ZIP zip)
if(NOT ZIP)
  message(FATAL_ERROR "making the zip needs Info-ZIP's zip")
endif()
file(GLOB_RECURSE files RELATIVE ${CPACK_TOPLEVEL_DIRECTORY} ${CPACK_TEMPORARY_DIRECTORY}/*)
list(SORT files)
file(REMOVE ${CPACK_PACKAGE_FILES})
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -q -X -D ${CPACK_PACKAGE_FILES} ${files}
                WORKING_DIRECTORY ${CPACK_TOPLEVEL_DIRECTORY} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "zip failed")
endif()
