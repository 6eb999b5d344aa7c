# Runs the end-to-end tests, then fails when the Wine prefix holds anything
# it did not hold before them: a file or folder under C:\, a registry key or
# value of the user or the machine. The tests start Tallowmere dozens of
# times and use everything it does, and take away only their own folders
# (each with the program's folder and the TEMP where it keeps its block
# list), its settings key and its start-up entries. Anything else it wrote
# stays behind and is named here. Left out: what Wine itself keeps up to date
# as programs come and go (its display devices, its temporary system
# parameters), and what the tests take away, which may or may not have been
# there before them: the settings key (and its parent, which they leave) and
# the start-up entries.
cmake_minimum_required(VERSION 3.25)
set(prefix "$ENV{WINEPREFIX}")
if(prefix STREQUAL "")
  set(prefix "$ENV{HOME}/.wine-tallowmere")  # as scripts/wine-exec
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# WORK/NAME: every file (with its size and time) and folder under C:\ but the
# tests' own, every registry key, and every value after the name of its key.
function(snapshot name)
  execute_process(
    COMMAND find . -path ./users/*/Temp/tallowmere-tests -prune
            -o -type f -printf "%p %s %T@\\n" -o -type d -printf "%p\\n"
    COMMAND sort WORKING_DIRECTORY ${prefix}/drive_c OUTPUT_FILE ${WORK}/${name})
  foreach(root HKEY_CURRENT_USER HKEY_LOCAL_MACHINE)
    execute_process(COMMAND ${EMULATOR} reg export ${root} ${WORK}/export.reg /y
                    OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "reg export ${root} failed")
    endif()
    execute_process(COMMAND iconv -f UTF-16LE -t UTF-8 ${WORK}/export.reg
                    COMMAND awk "{ sub(/\\r$/, \"\") } /^\\[/ { key = $0; print; next } NF { print key $0 }"
                    OUTPUT_VARIABLE values)
    file(APPEND ${WORK}/${name} "${values}")
  endforeach()
endfunction()

snapshot(before)
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${ARGUMENTS} RESULT_VARIABLE tests)
snapshot(after)

# Lines of keys (with their values and sub-keys) that are Wine's own.
set(wine "[[]HKEY_CURRENT_USER[\\]Software[\\]Wine[]\\]")
string(APPEND wine "|[[]HKEY_LOCAL_MACHINE[\\](Hardware|System[\\]CurrentControlSet[\\]"
  "(Enum|Hardware Profiles|Control[\\](Class|DeviceClasses|Video|ServiceCurrent)))[]\\]")
# Those of the program, which the tests take away.
set(taken "[[]HKEY_CURRENT_USER[\\]Software[\\]Varnholt([]]$|[\\]Tallowmere[]\\])")
string(APPEND taken "|[[]HKEY_(LOCAL_MACHINE|CURRENT_USER)[\\]Software[\\]Microsoft[\\]Windows"
  "[\\]CurrentVersion[\\]Run[]]\"Tallowmere[.]exe\"=")
execute_process(
  COMMAND diff "--old-line-format=gone: %L" "--new-line-format=new: %L"
          --unchanged-line-format= ${WORK}/before ${WORK}/after
  COMMAND grep -v -i -E "^[a-z]+: (${wine}|${taken})"
  OUTPUT_VARIABLE changed)
if(changed)
  message(FATAL_ERROR "after the end-to-end tests the prefix differs:\n${changed}")
endif()
if(NOT tests EQUAL 0)
  message(FATAL_ERROR "the end-to-end tests failed")
endif()
message(STATUS "nothing written but what the tests take away")
file(REMOVE_RECURSE ${WORK})
