# The Windows side, cross-built with mingw-w64: the Win32 backend of the framework, the control
# module HD7_3.ocx, the demo host and the end-to-end tests that run under Wine.
enable_language(C RC)

# printf-style formatting as on every other platform ("%.0f" rounds the same way).
add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 WIN32_LEAN_AND_MEAN NOMINMAX
                        _WIN32_WINNT=0x0601 _WIN32_IE=0x0600)
# The C and C++ runtimes go into each binary: the control imports system DLLs only.
add_link_options(-static -static-libgcc -static-libstdc++)
# A lean release: every function and object in a section of its own, so that the linker drops
# what nothing calls (most of the static C++ runtime), and no symbols or debug information.
# Sized for the smallest code: the sheet waits on the node and the engineer, never on the CPU.
add_compile_options($<$<CONFIG:Release,MinSizeRel>:-ffunction-sections>
                    $<$<CONFIG:Release,MinSizeRel>:-fdata-sections>
                    $<$<CONFIG:Release>:-Os>)
add_link_options($<$<CONFIG:Release,MinSizeRel>:-Wl,--gc-sections> $<$<CONFIG:Release,MinSizeRel>:-s>)

if(NOT DEFINED HD7_3_WINDOWS_BITS)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(HD7_3_WINDOWS_BITS 64)
  else()
    set(HD7_3_WINDOWS_BITS 32)
  endif()
endif()

# The Windows programs of the tests run under Wine, in a prefix of this build's own.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_SOURCE_DIR}/scripts/wine_run.sh
      ${CMAKE_BINARY_DIR}/wineprefix ${HD7_3_WINDOWS_BITS})
endif()

# ---------------------------------------------------------------- Win32 backend
file(GLOB HD7_3_WIN32_SOURCES CONFIGURE_DEPENDS framework/win32/*.cpp)
add_library(hd73_win32 STATIC ${HD7_3_WIN32_SOURCES})
target_link_libraries(hd73_win32 PUBLIC hd73_framework advapi32 comctl32 comdlg32 gdi32 user32)
hd73_floor_headers(hd73_win32 framework/win32)

# ---------------------------------------------------------------- type library
find_program(HD7_3_WIDL NAMES widl widl-stable PATHS /usr/lib/wine REQUIRED)
# stdole2.tlb, which the library imports, comes with Wine.
find_path(HD7_3_STDOLE_DIR stdole2.tlb
  PATHS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib/i386-linux-gnu/wine/i386-windows
        /usr/lib/wine/x86_64-windows /usr/lib/wine/i386-windows /usr/lib64/wine/x86_64-windows
  NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(HD7_3_WINE_IDL_DIR oaidl.idl
  PATHS /usr/include/wine/wine/windows /usr/include/wine/windows
  NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(HD7_3_TLB ${CMAKE_CURRENT_BINARY_DIR}/HD7_3.tlb)
add_custom_command(
  OUTPUT ${HD7_3_TLB}
  COMMAND ${HD7_3_WIDL} -m${HD7_3_WINDOWS_BITS} -I${HD7_3_WINE_IDL_DIR} -L${HD7_3_STDOLE_DIR}
          -t -o ${HD7_3_TLB} ${CMAKE_CURRENT_SOURCE_DIR}/resources/hd7_3.idl
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/resources/hd7_3.idl
  COMMENT "Type library HD7_3Lib (${HD7_3_WINDOWS_BITS}-bit)")
add_custom_target(hd73_typelib DEPENDS ${HD7_3_TLB})

# ---------------------------------------------------------------- the control
# The version resource's numbers, from the project's version.
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/resources/hd7_3_version.h.in
               ${CMAKE_CURRENT_BINARY_DIR}/hd7_3_version.h @ONLY)
file(GLOB HD7_3_COM_SOURCES CONFIGURE_DEPENDS control/com/*.cpp)
add_library(hd73_ocx SHARED ${HD7_3_COM_SOURCES} resources/hd7_3.rc resources/hd7_3.def)
set_target_properties(hd73_ocx PROPERTIES OUTPUT_NAME HD7_3 PREFIX "" SUFFIX ".ocx")
add_dependencies(hd73_ocx hd73_typelib)
set_source_files_properties(resources/hd7_3.rc PROPERTIES OBJECT_DEPENDS
  "${HD7_3_TLB};${CMAKE_CURRENT_BINARY_DIR}/hd7_3_version.h;${CMAKE_CURRENT_SOURCE_DIR}/resources/hd7_3.bmp;${CMAKE_CURRENT_SOURCE_DIR}/resources/hd7_3.ico")
target_include_directories(hd73_ocx PRIVATE ${CMAKE_CURRENT_BINARY_DIR}
                           ${CMAKE_CURRENT_SOURCE_DIR}/resources)
# The exports are exactly those of the .def file, undecorated on i686 as well.
target_link_options(hd73_ocx PRIVATE -Wl,--enable-stdcall-fixup)
target_link_libraries(hd73_ocx PRIVATE hd73_win32 hd73_control ole32 oleaut32 uuid advapi32)

# ---------------------------------------------------------------- demo host
file(GLOB HD7_3_CONTAINER_SOURCES CONFIGURE_DEPENDS host/*.cpp)
list(FILTER HD7_3_CONTAINER_SOURCES EXCLUDE REGEX "/host/main\\.cpp$")
add_library(hd73_container STATIC ${HD7_3_CONTAINER_SOURCES})
target_link_libraries(hd73_container PUBLIC hd73_sim hd73_win32 advapi32 ole32 oleaut32 shell32
                      uuid)
hd73_floor_headers(hd73_container host)

add_executable(hd7_3host WIN32 host/main.cpp)
target_link_libraries(hd7_3host PRIVATE hd73_container)
# Built beside the control, so that one folder holds everything that is copied to a PC.
set_target_properties(hd7_3host hd73_ocx PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# ---------------------------------------------------------------- tests under Wine
if(HD7_3_TESTS)
  enable_testing()
  add_subdirectory(tests/win)
endif()
