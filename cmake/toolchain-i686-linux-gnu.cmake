# The portable core and its native tests as a 32-bit (i686) Linux build, with the floating-point
# flags of the 32-bit Windows control: it tests that control's arithmetic on a Linux machine
# (scripts/i686_tests.sh runs it directly or under qemu's i386 user-mode emulator). Needs
# g++-multilib; GoogleTest is built from Debian's sources with the same flags.
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
include(${CMAKE_CURRENT_LIST_DIR}/i686_math.cmake)
