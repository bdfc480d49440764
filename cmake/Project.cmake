# Shared settings for every target of the project.

set(FOLIONYX_CACHE "${CMAKE_SOURCE_DIR}/.cache" CACHE PATH "Folder of locally built dependencies")
if(NOT FOLIONYX_FLAVOUR)
  message(FATAL_ERROR "Configure with cmake/mingw-i686.cmake or cmake/mingw-x86_64.cmake as the toolchain file")
endif()

# The Windows version and character set every target of the project compiles for.
set(FOLIONYX_DEFINITIONS UNICODE _UNICODE WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800 NOMINMAX STRICT)

# Compile and warning flags applied to our own targets (not to GoogleTest). The definitions
# are public: whoever includes our headers must see the same Windows declarations.
function(folionyx_target_defaults target)
  target_compile_options(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers -Wno-cast-function-type>
    $<$<COMPILE_LANGUAGE:C>:-Wall -Wextra>)
  get_target_property(_type ${target} TYPE)
  if(_type STREQUAL "EXECUTABLE")
    target_compile_definitions(${target} PRIVATE ${FOLIONYX_DEFINITIONS})
  else()
    target_compile_definitions(${target} PUBLIC ${FOLIONYX_DEFINITIONS})
  endif()
  target_include_directories(${target} PUBLIC "${CMAKE_SOURCE_DIR}")
endfunction()

# Executables are linked statically so that no MinGW runtime DLL has to travel with them.
function(folionyx_executable_defaults target)
  folionyx_target_defaults(${target})
  target_link_options(${target} PRIVATE -static -municode)
endfunction()

# Windows headers are precompiled once per target; they dominate compile time.
function(folionyx_precompile target)
  target_precompile_headers(${target} PRIVATE
    <windows.h> <commctrl.h> <ole2.h> <shlwapi.h> <string> <vector> <map> <memory>)
endfunction()

# Import libraries whose library loads on the first call instead of at process start: the
# dialogs, the sound and the download functions are not needed for the first window, and under
# Wine each such library costs start-up time (comdlg32 alone some 60-90 ms). Each entry names a
# function the program calls and, for i686, the bytes of its arguments. The libraries are made by
# dlltool from these lists when the build folder is configured.
function(folionyx_delay_import var dll)
  set(dir "${CMAKE_BINARY_DIR}/delayimp")
  string(REPLACE "." "_" stem "${dll}")
  set(content "LIBRARY ${dll}\nEXPORTS\n")
  foreach(entry ${ARGN})
    string(REPLACE ":" ";" pair "${entry}")
    list(GET pair 0 function)
    list(GET pair 1 bytes)
    if(FOLIONYX_FLAVOUR STREQUAL "i686")
      string(APPEND content "${function}@${bytes}\n")
    else()
      string(APPEND content "${function}\n")
    endif()
  endforeach()
  file(MAKE_DIRECTORY "${dir}")
  file(WRITE "${dir}/${stem}.def" "${content}")
  set(killAt)
  if(FOLIONYX_FLAVOUR STREQUAL "i686")
    set(killAt --kill-at)
  endif()
  execute_process(COMMAND ${FOLIONYX_TRIPLE}-dlltool --input-def "${dir}/${stem}.def" --dllname ${dll}
                          --output-delaylib "${dir}/lib${stem}_delay.a" ${killAt}
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "dlltool could not make the delay-load library of ${dll}")
  endif()
  set(${var} "${dir}/lib${stem}_delay.a" PARENT_SCOPE)
endfunction()

folionyx_delay_import(FOLIONYX_DELAYED_COMDLG32 comdlg32.dll
  FindTextW:4 GetOpenFileNameW:4 GetSaveFileNameW:4 PrintDlgW:4)
folionyx_delay_import(FOLIONYX_DELAYED_WINMM winmm.dll PlaySoundW:12)
folionyx_delay_import(FOLIONYX_DELAYED_URLMON urlmon.dll URLDownloadToCacheFileW:24)
folionyx_delay_import(FOLIONYX_DELAYED_WININET wininet.dll GetUrlCacheEntryInfoW:12)

# The usual system libraries of a GUI program. The delayed ones come before their ordinary
# import libraries, which still give any function not in their lists; delayimp resolves them.
set(FOLIONYX_SYSTEM_LIBS
  ${FOLIONYX_DELAYED_COMDLG32} ${FOLIONYX_DELAYED_WINMM} ${FOLIONYX_DELAYED_URLMON} ${FOLIONYX_DELAYED_WININET}
  delayimp comctl32 comdlg32 shlwapi shell32 ole32 oleaut32 uuid gdi32 user32 kernel32
  advapi32 winspool version winmm imagehlp msimg32 urlmon wininet)

# zlib: Debian's MinGW package for the flavour.
add_library(folionyx_zlib INTERFACE)
target_link_libraries(folionyx_zlib INTERFACE /usr/${FOLIONYX_TRIPLE}/lib/libz.a)
target_include_directories(folionyx_zlib INTERFACE /usr/${FOLIONYX_TRIPLE}/include)

# libpng: built for each flavour from Debian's source package by scripts/setup.sh.
set(FOLIONYX_PNG_DIR "${FOLIONYX_CACHE}/libpng-${FOLIONYX_FLAVOUR}")
find_file(FOLIONYX_PNG_LIB NAMES libpng16.a libpng16_static.a libpng.a
  PATHS "${FOLIONYX_PNG_DIR}/lib" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT FOLIONYX_PNG_LIB)
  message(FATAL_ERROR "libpng not found in ${FOLIONYX_PNG_DIR}: run scripts/setup.sh")
endif()
add_library(folionyx_png INTERFACE)
target_link_libraries(folionyx_png INTERFACE ${FOLIONYX_PNG_LIB} folionyx_zlib)
target_include_directories(folionyx_png INTERFACE "${FOLIONYX_PNG_DIR}/include")

# Runs a program of this flavour under Wine in a prefix of its own (scripts/wine-run.sh):
# the packer at build time, and each test executable on a display and Wine server of its own.
set(FOLIONYX_WINE_RUN bash "${CMAKE_SOURCE_DIR}/scripts/wine-run.sh")
set(FOLIONYX_WINE_ENV "FOLIONYX_FLAVOUR=${FOLIONYX_FLAVOUR}"
  "FOLIONYX_PREFIX_TEMPLATE=${CMAKE_BINARY_DIR}/prefixes/template")

# Registers a program as a CTest test run in its own prefix, display and Wine server.
function(folionyx_add_wine_test name program)
  add_test(NAME ${name} COMMAND ${FOLIONYX_WINE_RUN} --display "${CMAKE_BINARY_DIR}/prefixes/${name}"
    ${program} ${ARGN})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${FOLIONYX_WINE_ENV}")
  folionyx_gtest_verdict(${name})
endfunction()

# One GoogleTest executable per area; CTest runs each as a single test under Wine.
function(folionyx_test_executable name)
  add_executable(${name} ${ARGN})
  folionyx_executable_defaults(${name})
  target_link_libraries(${name} PRIVATE folionyx_test_main)
  folionyx_add_wine_test(${name} "$<TARGET_FILE:${name}>")
endfunction()

# Under Wine a crashed process can still exit with 0, so a run passes only when
# GoogleTest itself reached its summary and reported no failure.
function(folionyx_gtest_verdict test)
  set_tests_properties(${test} PROPERTIES TIMEOUT 900
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [0-9]+ test"
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|Unhandled (exception|stack overflow|page fault)")
endfunction()

# A static library made of every .cpp in a folder (new files are picked up at the next build),
# less the files named after EXCLUDE (a program's entry file, say).
function(folionyx_library name dir)
  cmake_parse_arguments(ARG "" "" "EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.c")
  foreach(excluded ${ARG_EXCLUDE})
    list(FILTER sources EXCLUDE REGEX "/${excluded}$")
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    folionyx_target_defaults(${name})
    folionyx_precompile(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE "${CMAKE_SOURCE_DIR}")
    target_compile_definitions(${name} INTERFACE ${FOLIONYX_DEFINITIONS})
  endif()
endfunction()

# Links a folder library to what it needs, whether or not it has sources yet.
function(folionyx_link name)
  get_target_property(_type ${name} TYPE)
  if(_type STREQUAL "INTERFACE_LIBRARY")
    target_link_libraries(${name} INTERFACE ${ARGN})
  else()
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
endfunction()
