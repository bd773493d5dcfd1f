# mireva_add_library(NAME SOURCE... [USES LIBRARY...])
# The static library of one folder under src/: its sources, src/ as the root of the
# includes of the library and of everything that links it, and the libraries it builds
# on, passed on to whatever links it.
function(mireva_add_library name)
  cmake_parse_arguments(PARSE_ARGV 1 LIB "" "" "USES")
  add_library(${name} STATIC ${LIB_UNPARSED_ARGUMENTS})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(LIB_USES)
    target_link_libraries(${name} PUBLIC ${LIB_USES})
  endif()
endfunction()
