# Run by cpack once the files of a package are staged, before it packs them:
# gives every one of them the time of the commit (CPackOptions.cmake). The
# installer and the zip keep the times of the files they hold; with one time
# for all they come out the same byte for byte wherever and whenever they are
# made.
cmake_minimum_required(VERSION 3.25)
file(GLOB_RECURSE staged ${CPACK_TEMPORARY_DIRECTORY}/*)
execute_process(COMMAND touch --no-dereference --date=@$ENV{SOURCE_DATE_EPOCH} ${staged}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot set the time of the staged files")
endif()
