# Cross toolchain: 32-bit Windows executables (the product), run under the 32-bit Wine.
set(FOLIONYX_FLAVOUR i686)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
