# Read by cpack for each generator: the zip unpacks into a folder named after
# the package; an installer puts the files into the folder the user chose.
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()

# One time for everything the packages hold, that of the commit the sources
# come from: SOURCE_DATE_EPOCH (seconds since 1970) when it is set; otherwise
# the commit's time from git; for sources without git (an archive of them)
# the time of their CMakeLists.txt, which `git archive` sets to the commit's.
# The strip of the program writes it into its header (binutils take it from
# SOURCE_DATE_EPOCH), and PackageTimes.cmake gives it to every packed file.
if("$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  execute_process(COMMAND git -C ${CPACK_TALLOWMERE_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc
                  ERROR_QUIET)
  if(NOT rc EQUAL 0)
    file(TIMESTAMP ${CPACK_TALLOWMERE_SOURCE_DIR}/CMakeLists.txt epoch "%s" UTC)
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH is no time: \"$ENV{SOURCE_DATE_EPOCH}\"")
endif()
