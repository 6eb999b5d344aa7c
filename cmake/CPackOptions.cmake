# Read by cpack for each generator: the zip unpacks into a folder named after
# the package; an installer puts the files into the folder the user chose.
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
