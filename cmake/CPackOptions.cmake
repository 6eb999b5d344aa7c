# Read by cpack for each generator: the zip unpacks into a folder named after
# the package; an installer puts the files into the folder the user chose.
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()

# One time for everything the packages hold, that of the commit the sources
# come from: SOURCE_DATE_EPOCH (seconds since 1970) when it is set; otherwise
# the commit's time from git (for a checkout too that another user owns);
# for sources without git (an archive of them) the time of their
# CMakeLists.txt, which `git archive` sets to the commit's. The strip of the
# program writes it into its header (binutils take it from
# SOURCE_DATE_EPOCH), and PackageTimes.cmake gives it to every packed file.
set(source ${CPACK_TALLOWMERE_SOURCE_DIR})
if("$ENV{SOURCE_DATE_EPOCH}" STREQUAL "" AND EXISTS ${source}/.git)
  execute_process(COMMAND git -c safe.directory=${source} -C ${source} log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "git cannot tell the time of the commit in ${source}")
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
elseif("$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  file(TIMESTAMP ${source}/CMakeLists.txt epoch "%s" UTC)
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH is no time: \"$ENV{SOURCE_DATE_EPOCH}\"")
endif()
