# Builds one Windows target with its preset, configuring it first when it has not been yet (a
# configured build reconfigures itself when its CMake files change).
#   cmake -DPRESET=mingw32 -DSOURCE_DIR=<repository> -P installer/cross_build.cmake
if(NOT EXISTS ${SOURCE_DIR}/build/${PRESET}/CMakeCache.txt)
  execute_process(COMMAND ${CMAKE_COMMAND} --preset ${PRESET}
                  WORKING_DIRECTORY ${SOURCE_DIR} COMMAND_ERROR_IS_FATAL ANY)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build --preset ${PRESET}
                WORKING_DIRECTORY ${SOURCE_DIR} COMMAND_ERROR_IS_FATAL ANY)
