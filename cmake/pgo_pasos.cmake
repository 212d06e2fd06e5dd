# The two steps of the profile-guided build, run by cmake -P from optimizacion.cmake.
#   PASO=entrenar: builds the instrumented engine in ARBOL (a copy of the tree at FUENTE that
#     writes its profile to ARBOL/perfil), has it play the bench, and keeps the profile.
#   PASO=comprobar: the optimised engine MOTOR must count the same bench nodes as the
#     instrumented one: optimisation must not change how the engine plays.
cmake_minimum_required(VERSION 3.20)
set(PROFUNDIDAD_COMPROBACION 9)  # a bench of about a second

function(NodosBench motor salida)
  execute_process(COMMAND ${motor} bench ${PROFUNDIDAD_COMPROBACION} OUTPUT_VARIABLE texto COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCH "([0-9]+) nodes [0-9]+ nps" linea "${texto}")
  set(${salida} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

if(PASO STREQUAL "entrenar")
  set(ENV{MAKEFLAGS} "")  # the outer make's job server is not passed down to us
  cmake_host_system_information(RESULT nucleos QUERY NUMBER_OF_LOGICAL_CORES)
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${FUENTE} -B ${ARBOL} -G ${GENERADOR} -DCMAKE_CXX_COMPILER=${COMPILADOR}
                          -DCMAKE_BUILD_TYPE=${TIPO} -DVEMSUL_LTO=${LTO} -DVEMSUL_PGO=OFF -DVEMSUL_TESTS=OFF
                          -DVEMSUL_PGO_PERFIL=${ARBOL}/perfil
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${ARBOL} --target vemsul --parallel ${nucleos}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  # Counts from an older engine must not mix with the new ones.
  file(REMOVE_RECURSE ${ARBOL}/perfil)
  file(MAKE_DIRECTORY ${ARBOL}/perfil)
  set(ENV{LLVM_PROFILE_FILE} ${ARBOL}/perfil/vemsul-%p.profraw)
  execute_process(COMMAND ${ARBOL}/vemsul bench OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  NodosBench(${ARBOL}/vemsul nodos)
  file(WRITE ${ARBOL}/nodos.txt "${nodos}")
  if(PROFDATA)
    file(GLOB crudos ${ARBOL}/perfil/*.profraw)
    execute_process(COMMAND ${PROFDATA} merge -o ${ARBOL}/perfil/vemsul.profdata ${crudos} COMMAND_ERROR_IS_FATAL ANY)
  endif()
  file(TOUCH ${ARBOL}/entrenado)
elseif(PASO STREQUAL "comprobar")
  file(READ ${ARBOL}/nodos.txt esperados)
  NodosBench(${MOTOR} nodos)
  if(NOT nodos STREQUAL esperados)
    file(REMOVE ${MOTOR})
    message(FATAL_ERROR "The optimised engine counts ${nodos} bench nodes at depth ${PROFUNDIDAD_COMPROBACION}, "
                        "the instrumented one ${esperados}: the optimisation changed how it plays")
  endif()
endif()
