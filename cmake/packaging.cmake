# Installation and packages. A prefix holds:
#   include/                     QuonCoreModel.h and quon/ (the interfaces, quon/Module.h)
#   lib/ (Windows: bin/)         the module, libQuonCoreModel.so or QuonCoreModel.dll
#   bin/                         quonmodel, the command-line host
#   lib/cmake/QuonCoreModel/     find_package(QuonCoreModel CONFIG): QuonCoreModel::Headers and
#                                QuonCoreModel::Module (the module file: $<TARGET_FILE:QuonCoreModel::Module>)
#   lib/pkgconfig/               quoncoremodel.pc: Cflags, and the module's folder as moduledir
#   lib/python3.X/dist-packages/ the Python package quoncoremodel (Linux, when built)
# CPack makes a .deb of it on Linux and a .zip from the Windows build.
set(QUON_INSTALL_CMAKEDIR lib/cmake/QuonCoreModel)

install(TARGETS quon_headers QuonCoreModel EXPORT QuonCoreModelTargets
        LIBRARY DESTINATION ${QUON_INSTALL_MODULEDIR})
install(TARGETS quonmodel RUNTIME DESTINATION bin)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/ DESTINATION include)

install(EXPORT QuonCoreModelTargets NAMESPACE QuonCoreModel:: DESTINATION ${QUON_INSTALL_CMAKEDIR})
include(CMakePackageConfigHelpers)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/QuonCoreModelConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/QuonCoreModelConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/QuonCoreModelConfigVersion.cmake
        DESTINATION ${QUON_INSTALL_CMAKEDIR})

list(TRANSFORM CMAKE_DL_LIBS PREPEND "-l" OUTPUT_VARIABLE QUON_PC_LIBS)
string(JOIN " " QUON_PC_LIBS ${QUON_PC_LIBS})
configure_file(${PROJECT_SOURCE_DIR}/cmake/quoncoremodel.pc.in ${CMAKE_CURRENT_BINARY_DIR}/quoncoremodel.pc.in @ONLY)
file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/quoncoremodel.pc INPUT ${CMAKE_CURRENT_BINARY_DIR}/quoncoremodel.pc.in)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quoncoremodel.pc DESTINATION lib/pkgconfig)

set(CPACK_PACKAGE_NAME quoncoremodel)
set(CPACK_PACKAGE_VENDOR "QuonCoreModel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Data model of a multi-projector calibration application: the module, its headers and quonmodel")
set(CPACK_PACKAGE_INSTALL_DIRECTORY QuonCoreModel)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-x64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "QuonCoreModel developers <noreply@quoncoremodel.invalid>")
  set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34), libstdc++6 (>= 12), libgcc-s1")
  if(QUON_BUILD_PYTHON)  # the Python package runs with Debian's interpreter and NumPy
    math(EXPR QUON_PYTHON_NEXT "${Python3_VERSION_MINOR} + 1")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "python3 (>= ${Python3_VERSION_MAJOR}.${Python3_VERSION_MINOR}), \
python3 (<< ${Python3_VERSION_MAJOR}.${QUON_PYTHON_NEXT}), python3-numpy")
  endif()
endif()
include(CPack)
