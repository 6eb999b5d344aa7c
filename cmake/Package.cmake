# The package a Windows user downloads: one zip per architecture holding the
# program (stripped), the hand pointer and the default block list, in a folder
# named after the package. `cpack --preset win64` (or win32) makes it in the
# build folder.
install(TARGETS Tallowmere RUNTIME DESTINATION .)
install(FILES ${HAND_CURSOR} ${CMAKE_BINARY_DIR}/xsettings.txt DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_SYSTEM_NAME win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tallowmere)
set(CPACK_PACKAGE_VENDOR Varnholt)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

# The package holds those three files and nothing else, the program stripped.
if(CMAKE_OBJDUMP)
  add_test(NAME package
    COMMAND ${CMAKE_COMMAND} -DCPACK=${CMAKE_CPACK_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP}
            -DCONFIG=${CMAKE_BINARY_DIR}/CPackConfig.cmake -DWORK=${CMAKE_BINARY_DIR}/package-check
            -DTOP=Tallowmere-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME}
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckPackage.cmake)
endif()
