# Cross toolchain: the same program for 64-bit Windows, run under the 64-bit Wine.
set(FOLIONYX_FLAVOUR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
