# 32-bit Windows (i686) with mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(HD7_3_TRIPLET i686-w64-mingw32)
set(HD7_3_WINDOWS_BITS 32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw_common.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/i686_math.cmake)
