# Installs the build into a fresh prefix, builds examples/consumer against it
# with find_package(QuonCoreModel) and runs the consumer, with the compiler,
# flags and toolchain of the build under test.
#   -DBUILD=<build dir> -DSOURCE=<examples/consumer> -DWORK=<scratch dir> -DCXX=... -DFLAGS=... -DLDFLAGS=...
#   [-DTOOLCHAIN=<file> -DEMULATOR=<runner> -DSUFFIX=.exe]
file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)

function(step what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

step("cmake --install" ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})
foreach(file include/QuonCoreModel.h include/quon/Module.h lib/cmake/QuonCoreModel/QuonCoreModelConfig.cmake
             lib/pkgconfig/quoncoremodel.pc)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

set(configure ${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/build -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=${CXX}
              "-DCMAKE_CXX_FLAGS=${FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${LDFLAGS}" -DCMAKE_PREFIX_PATH=${prefix})
if(TOOLCHAIN)
  # A cross build searches packages only below its target root: name the folder.
  list(APPEND configure -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DQuonCoreModel_DIR=${prefix}/lib/cmake/QuonCoreModel)
endif()
step("configuring the consumer" ${configure})
step("building the consumer" ${CMAKE_COMMAND} --build ${WORK}/build)
step("running the consumer" ${EMULATOR} ${WORK}/build/consumer${SUFFIX})
if(NOT output MATCHES "round trip identical")
  message(FATAL_ERROR "consumer said: ${output}")
endif()
message(STATUS "consumer built against ${prefix}: ${output}")
