# find_package(QuonCoreModel CONFIG) gives two targets:
#   QuonCoreModel::Headers  the include directory (link it to compile a host)
#   QuonCoreModel::Module   the module a host loads at run time; its file is
#                           $<TARGET_FILE:QuonCoreModel::Module>, to load or to copy beside the host
include(${CMAKE_CURRENT_LIST_DIR}/QuonCoreModelTargets.cmake)
