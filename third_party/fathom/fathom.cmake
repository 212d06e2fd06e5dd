# Fathom, the Syzygy tablebase prober (MIT, see ORIGIN.md), compiled in as the static library
# target `fathom`. The upstream files in src/ stay as they came; the patches in patches/ are
# applied, in the order of their names, to a copy in the build tree when CMake configures,
# and the copy is rewritten only where its text changed. Include this file after the project's
# compile options are set; it needs a C compiler and the `patch` program.
enable_language(C)
find_package(Threads REQUIRED)
find_program(VEMSUL_PATCH patch)
if(NOT VEMSUL_PATCH)
  message(FATAL_ERROR "The patch program was not found: install the Debian package patch")
endif()

set(fathom_raiz ${CMAKE_CURRENT_LIST_DIR})
set(fathom_fuentes tbprobe.c tbprobe.h tbconfig.h tbchess.c stdendian.h)
file(GLOB fathom_parches ${fathom_raiz}/patches/*.patch)
list(SORT fathom_parches)
set(fathom_arbol ${CMAKE_BINARY_DIR}/fathom)
set(fathom_tmp ${CMAKE_BINARY_DIR}/fathom-parcheando)

file(REMOVE_RECURSE ${fathom_tmp})
file(MAKE_DIRECTORY ${fathom_tmp})
foreach(f IN LISTS fathom_fuentes)
  file(COPY ${fathom_raiz}/src/${f} DESTINATION ${fathom_tmp})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${fathom_raiz}/src/${f})
endforeach()
foreach(p IN LISTS fathom_parches)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${p})
  execute_process(COMMAND ${VEMSUL_PATCH} -p1 --batch --forward --quiet -i ${p}
                  WORKING_DIRECTORY ${fathom_tmp} RESULT_VARIABLE fathom_r OUTPUT_VARIABLE fathom_o
                  ERROR_VARIABLE fathom_o)
  if(NOT fathom_r EQUAL 0)
    message(FATAL_ERROR "Fathom: ${p} does not apply:\n${fathom_o}")
  endif()
endforeach()
foreach(f IN LISTS fathom_fuentes)
  configure_file(${fathom_tmp}/${f} ${fathom_arbol}/${f} COPYONLY)
endforeach()
file(REMOVE_RECURSE ${fathom_tmp})

# tbchess.c is included by tbprobe.c, not compiled on its own. The helper API (attack tables
# for programs without their own) is left out.
add_library(fathom STATIC ${fathom_arbol}/tbprobe.c)
set_target_properties(fathom PROPERTIES C_STANDARD 11 C_STANDARD_REQUIRED ON C_EXTENSIONS ON)
target_include_directories(fathom PUBLIC ${fathom_arbol})
target_compile_definitions(fathom PUBLIC TB_NO_HELPER_API)
target_link_libraries(fathom PRIVATE Threads::Threads)
