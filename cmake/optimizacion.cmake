# Link-time optimisation (VEMSUL_LTO) and the profile-guided build (VEMSUL_PGO) of the shipped
# engine. For the profile, an instrumented copy of this tree is configured and built below it
# (pgo/), plays the engine's bench, and its profile steers the compilation here. Where the
# compiler cannot do either, the build goes on without it and says so.

if(VEMSUL_LTO)
  include(CheckIPOSupported)
  check_ipo_supported(RESULT lto_posible OUTPUT lto_motivo LANGUAGES CXX)
  if(lto_posible)
    set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
  else()
    message(STATUS "Link-time optimisation unavailable, building without it: ${lto_motivo}")
  endif()
endif()

# Set only in the instrumented tree: the directory its runs write the profile to.
set(VEMSUL_PGO_PERFIL "" CACHE INTERNAL "")
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 11)
  # Profile files are named after the object files, relative to each tree.
  set(pgo_generar -fprofile-generate=${VEMSUL_PGO_PERFIL} -fprofile-prefix-path=${CMAKE_BINARY_DIR})
  set(pgo_usar -fprofile-use=${CMAKE_BINARY_DIR}/pgo/perfil -fprofile-prefix-path=${CMAKE_BINARY_DIR}
      -Wno-missing-profile)
elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  string(REGEX MATCH "^[0-9]+" clang_mayor "${CMAKE_CXX_COMPILER_VERSION}")
  find_program(VEMSUL_LLVM_PROFDATA NAMES llvm-profdata-${clang_mayor} llvm-profdata)
  if(VEMSUL_LLVM_PROFDATA)
    set(pgo_generar -fprofile-generate)
    set(pgo_usar -fprofile-use=${CMAKE_BINARY_DIR}/pgo/perfil/vemsul.profdata)
  endif()
endif()

if(VEMSUL_PGO_PERFIL)
  add_compile_options(${pgo_generar})
  add_link_options(${pgo_generar})
elseif(VEMSUL_PGO AND NOT pgo_usar)
  message(STATUS "Profile-guided optimisation needs GCC 11 or later, or Clang with llvm-profdata: "
                 "building without it")
elseif(VEMSUL_PGO)
  set(pgo_arbol ${CMAKE_BINARY_DIR}/pgo)
  file(GLOB_RECURSE pgo_fuentes CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h)
  add_custom_command(OUTPUT ${pgo_arbol}/entrenado
    COMMAND ${CMAKE_COMMAND} -DARBOL=${pgo_arbol} -DFUENTE=${CMAKE_SOURCE_DIR} -DGENERADOR=${CMAKE_GENERATOR}
            -DCOMPILADOR=${CMAKE_CXX_COMPILER} -DTIPO=${CMAKE_BUILD_TYPE} -DLTO=${VEMSUL_LTO}
            -DPROFDATA=${VEMSUL_LLVM_PROFDATA} -DPASO=entrenar -P ${CMAKE_SOURCE_DIR}/cmake/pgo_pasos.cmake
    DEPENDS ${pgo_fuentes} ${CMAKE_SOURCE_DIR}/CMakeLists.txt ${CMAKE_SOURCE_DIR}/cmake/optimizacion.cmake
            ${CMAKE_SOURCE_DIR}/cmake/pgo_pasos.cmake
    COMMENT "Profile-guided build: the instrumented engine plays its bench"
    VERBATIM)
  add_custom_target(vemsul_pgo DEPENDS ${pgo_arbol}/entrenado)
  add_compile_options(${pgo_usar})
  # A new profile recompiles everything it steers.
  set_source_files_properties(${VEMSUL_SOURCES} ${CMAKE_SOURCE_DIR}/src/main.cpp PROPERTIES
    OBJECT_DEPENDS ${pgo_arbol}/entrenado)
endif()
