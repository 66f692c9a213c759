# RapidJSON is header-only. It is reached through a folder that holds only its
# headers, so that a cross compiler never sees the host's /usr/include.
find_path(QUON_RAPIDJSON_DIR rapidjson/document.h
          PATHS /usr/include /usr/local/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
if(NOT QUON_RAPIDJSON_DIR)
  message(FATAL_ERROR "RapidJSON headers not found (Debian package rapidjson-dev)")
endif()
set(QUON_RAPIDJSON_STAGE ${CMAKE_BINARY_DIR}/rapidjson-include)
if(NOT EXISTS ${QUON_RAPIDJSON_STAGE}/rapidjson/document.h)
  file(COPY ${QUON_RAPIDJSON_DIR}/rapidjson DESTINATION ${QUON_RAPIDJSON_STAGE})
endif()
add_library(quon_rapidjson INTERFACE)
target_include_directories(quon_rapidjson SYSTEM INTERFACE ${QUON_RAPIDJSON_STAGE})
