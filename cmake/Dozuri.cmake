# Build helpers shared by every folder.
#
# Two configurations use the same CMakeLists:
#   - the Windows build (mingw-w64 cross, DOZURI_WINDOWS) builds everything;
#   - the native build (g++ with ASan/UBSan) builds only the portable libraries
#     and their tests, so memory errors in format code show up fast.
#
# dozuri_library(NAME PORTABLE|WINDOWS SOURCES ... [DEPS ...])
#   A static library per folder, so tests link only what they use.
# dozuri_test(NAME PORTABLE|WINDOWS SOURCES ... [DEPS ...])
#   One GoogleTest executable per test folder; ctest runs it once (under Wine
#   in the Windows build). Few executables keep the Wine start-up cost low.

include_guard(GLOBAL)

function(_dozuri_wanted kind out)
  if(kind STREQUAL "PORTABLE" OR DOZURI_WINDOWS)
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

function(dozuri_library name kind)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  _dozuri_wanted(${kind} wanted)
  if(NOT wanted)
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC dozuri_options ${ARG_DEPS})
endfunction()

function(dozuri_test name kind)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  _dozuri_wanted(${kind} wanted)
  if(NOT wanted)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE dozuri_options ${ARG_DEPS} dozuri_testmain)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    TIMEOUT 600
    ENVIRONMENT "DOZURI_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}")
endfunction()

function(dozuri_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(DOZURI_WINDOWS OR NOT DOZURI_BENCH)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE dozuri_options ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
