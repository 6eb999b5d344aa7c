# What a Windows user downloads, per architecture: an installer (NSIS, from
# cmake/NSIS.template.in) and a zip for a portable copy, holding the program
# (stripped), the hand pointer and the default block list. `cpack --preset
# win64` (or win32) makes both in the build folder.
install(TARGETS Tallowmere RUNTIME DESTINATION .)
install(FILES ${HAND_CURSOR} ${CMAKE_BINARY_DIR}/xsettings.txt DESTINATION .)

# The win64 installer is itself a 64-bit program and installs into the 64-bit
# Program Files; the win32 one into the 32-bit Program Files.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_TALLOWMERE_NSIS_TARGET amd64-unicode)
  set(PE_FORMAT pei-x86-64)
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
else()
  set(CPACK_SYSTEM_NAME win32)
  set(CPACK_TALLOWMERE_NSIS_TARGET x86-unicode)
  set(PE_FORMAT pei-i386)
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES")
endif()
set(CPACK_GENERATOR ZIP NSIS)
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_NSIS_MUI_ICON ${PROGRAM_ICON})
set(CPACK_PACKAGE_NAME Tallowmere)
set(CPACK_PACKAGE_VENDOR Varnholt)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackOptions.cmake)
# The same commit gives the same packages (PackageTimes.cmake,
# PackageZip.cmake), each with its SHA-256 beside it in a file of the same
# name ending in .sha256.
set(CPACK_TALLOWMERE_SOURCE_DIR ${CMAKE_SOURCE_DIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageTimes.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageZip.cmake)
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)

# The zip holds those three files and nothing else, the program stripped; the
# installer is a program of the package's architecture.
if(CMAKE_OBJDUMP)
  add_test(NAME package
    COMMAND ${CMAKE_COMMAND} -DCPACK=${CMAKE_CPACK_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP}
            -DCONFIG=${CMAKE_BINARY_DIR}/CPackConfig.cmake -DWORK=${CMAKE_BINARY_DIR}/package-check
            -DTOP=Tallowmere-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME} -DFORMAT=${PE_FORMAT}
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckPackage.cmake)
endif()
