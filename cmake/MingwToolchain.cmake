# Shared by both toolchain files: Windows executables cross-built from Linux, run under Wine.
# The including file sets FOLIONYX_FLAVOUR (i686 or x86_64) first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${FOLIONYX_FLAVOUR})
set(FOLIONYX_TRIPLE ${FOLIONYX_FLAVOUR}-w64-mingw32)
set(CMAKE_C_COMPILER ${FOLIONYX_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${FOLIONYX_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${FOLIONYX_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${FOLIONYX_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Programs of the flavour run under its own Wine through scripts/wine-run.sh (cmake/Project.cmake).
