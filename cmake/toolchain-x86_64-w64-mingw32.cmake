# 64-bit Windows (x86_64) with mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(HD7_3_TRIPLET x86_64-w64-mingw32)
set(HD7_3_WINDOWS_BITS 64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw_common.cmake)
