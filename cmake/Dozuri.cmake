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

# Build cost. Every target of ours is a unity build: its sources are compiled
# in batches of DOZURI_UNITY_BATCH, one translation unit each, so the headers
# (GoogleTest, <windows.h>, the class library) are parsed and their inline
# code generated once per batch rather than once per source. A source that
# cannot share a translation unit (file-local names that clash with another
# file's) sets SKIP_UNITY_BUILD_INCLUSION. DOZURI_UNITY=OFF builds one
# translation unit per source, for finding such a clash.
option(DOZURI_UNITY "Compile each target's sources in batches (unity build)" ON)
set(DOZURI_UNITY_BATCH 16 CACHE STRING "Sources per unity batch")

# Sources with file-local names (anonymous namespace, static) that another
# source of the same target defines too, or that <windows.h>'s macros rename
# when an earlier source of the batch included it; each is compiled on its own.
set(DOZURI_UNITY_ALONE
  classlib/comctrls/richedit.cpp
  classlib/graphics/dib.cpp
  classlib/grids/stringgrid.cpp
  classlib/stdctrls/itemstrings.cpp
  classlib/graphics/icon.cpp
  classlib/graphics/metafile.cpp
  classlib/system/mathutils.cpp
  classlib/system/strutils.cpp
  reportengine/report/qrprintable.cpp
  reportengine/report/qrruler.cpp
  reportengine/report/quickrep.cpp
  reportengine/report/quickreppage.cpp
  reportengine/report/quickreprun.cpp
  support/barcode/code11.cpp
  support/barcode/code39.cpp
  support/barcode/code93.cpp
  support/barcode/postnet.cpp
  support/png/pngreader.cpp
  textreport/engine/zrctrls.cpp
  textreport/engine/zrvariables.cpp
  tests/app/shell/mainformprint_test.cpp
  tests/classlib/classes/objects/reader_test.cpp
  tests/classlib/classes/objects/writer_bytes_test.cpp
  tests/classlib/comctrls/screenshot_test.cpp
  tests/classlib/comctrls/toolbar_test.cpp
  tests/classlib/data/navigation_test.cpp
  tests/classlib/system/text/collation_test.cpp
  tests/classlib/system/text/oem_test.cpp
  tests/components/vtformheader_test.cpp
  tests/layouts/output/outputmodes_test.cpp
  tests/layouts/output/singleoutput_test.cpp
  tests/layouts/runnerfixture.cpp
  tests/layouts/vtrapor_test.cpp
  tests/reportengine/composite/qrcomposite_test.cpp
  tests/reportengine/printables/sysdata_test.cpp
  tests/reportengine/report/controller_test.cpp
  tests/skin/core/portable/alphablend_test.cpp
  tests/skin/core/portable/maskpaint_test.cpp
  tests/support/barcode/upcean_test.cpp
  tests/support/barcode/zint_comparison_test.cpp
  tests/support/barcode_components/unixreaders.cpp
  tests/textreport/core/zrescapestream_test.cpp
  tests/textreport/output/zrprntr_test.cpp
)

# Precompiled headers. The standard library and the class library's headers
# that most sources include are parsed once per configuration rather than once
# per translation unit: the libraries, and the test programs (whose GoogleTest
# flags differ), each reuse the header of one owner target below, so they all
# share its compile flags. In the Windows build every translation unit starts
# with <windows.h>, so its macros (GetObject, DrawText ...) rename a name the
# same way in every declaration, definition and call of it; the native build
# keeps checking that the portable code needs no <windows.h>.
set(DOZURI_PCH_PORTABLE
  <algorithm> <array> <cstddef> <cstdint> <cstring> <functional> <map> <memory> <optional>
  <stdexcept> <string> <string_view> <utility> <vector>
  ${PROJECT_SOURCE_DIR}/classlib/system/ansistring.h
  ${PROJECT_SOURCE_DIR}/classlib/system/exceptions.h
  ${PROJECT_SOURCE_DIR}/classlib/system/strutils.h
  ${PROJECT_SOURCE_DIR}/classlib/system/numconv.h
  ${PROJECT_SOURCE_DIR}/classlib/classes/typinfo.h
  ${PROJECT_SOURCE_DIR}/classlib/classes/streams.h
  ${PROJECT_SOURCE_DIR}/classlib/classes/component.h
  ${PROJECT_SOURCE_DIR}/classlib/classes/strings.h)
set(DOZURI_PCH_WINPORTABLE <windows.h> ${DOZURI_PCH_PORTABLE})
set(DOZURI_PCH_WINDOWS
  ${DOZURI_PCH_WINPORTABLE}
  ${PROJECT_SOURCE_DIR}/classlib/graphics/bitmap.h
  ${PROJECT_SOURCE_DIR}/classlib/graphics/canvas.h
  ${PROJECT_SOURCE_DIR}/classlib/controls/stdctrls.h
  ${PROJECT_SOURCE_DIR}/classlib/forms/forms.h
  ${PROJECT_SOURCE_DIR}/classlib/forms/application.h)

# The owner of a precompiled header: dozuri_pch_<headers>_<role>, where role is
# "library" or "test" (the test owners add GoogleTest).
function(_dozuri_pch_owner kind role out)
  string(TOLOWER "dozuri_pch_${kind}_${role}" owner)
  set(${out} ${owner} PARENT_SCOPE)
  if(TARGET ${owner})
    return()
  endif()
  add_library(${owner} OBJECT ${PROJECT_SOURCE_DIR}/cmake/pch_owner.cpp)
  target_include_directories(${owner} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${owner} PRIVATE dozuri_options)
  set(headers ${DOZURI_PCH_${kind}})
  if(role STREQUAL "test")
    target_link_libraries(${owner} PRIVATE gtest)
    set_target_properties(${owner} PROPERTIES DOZURI_TEST_CODE ON)
    list(APPEND headers <gtest/gtest.h>)
  endif()
  target_precompile_headers(${owner} PRIVATE ${headers})
endfunction()

# A portable target (kind PORTABLE) is not given the Windows class library's
# headers, whose names (TColor, TPixelFormat ...) a portable unit may define
# in a namespace of its own.
function(_dozuri_precompiled name kind role)
  if(DOZURI_FUZZ OR DOZURI_BENCH)
    return()
  endif()
  if(NOT DOZURI_WINDOWS)
    set(kind PORTABLE)
  elseif(kind STREQUAL "PORTABLE")
    set(kind WINPORTABLE)
  endif()
  _dozuri_pch_owner(${kind} ${role} owner)
  target_precompile_headers(${name} REUSE_FROM ${owner})
endfunction()

function(_dozuri_build_cost name)
  get_target_property(sources ${name} SOURCES)
  foreach(source IN LISTS sources)
    get_filename_component(path ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    file(RELATIVE_PATH path ${PROJECT_SOURCE_DIR} ${path})
    if(path IN_LIST DOZURI_UNITY_ALONE)
      set_source_files_properties(${source} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    endif()
  endforeach()
  if(DOZURI_UNITY)
    set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE ${DOZURI_UNITY_BATCH})
  endif()
endfunction()

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
  _dozuri_build_cost(${name})
  _dozuri_precompiled(${name} ${kind} library)
endfunction()

function(dozuri_test name kind)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  _dozuri_wanted(${kind} wanted)
  if(NOT wanted)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE dozuri_options ${ARG_DEPS} dozuri_testmain)
  set_target_properties(${name} PROPERTIES DOZURI_TEST_CODE ON)
  _dozuri_build_cost(${name})
  _dozuri_precompiled(${name} ${kind} test)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    TIMEOUT 600
    ENVIRONMENT "DOZURI_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}")
endfunction()

# Runs some of a Windows test program's tests once more under U.S. English.
# Such runs carry the label en_US: `make test-win` runs them under a Wine
# server of their own started in that locale, since Wine keeps the user's
# number and date formats in the shared registry, and a process of another
# locale that starts during the run writes its own formats there.
function(dozuri_en_US_test name program filter)
  if(NOT DOZURI_WINDOWS)
    return()
  endif()
  add_test(NAME ${name} COMMAND ${program} --gtest_brief=1 --gtest_filter=${filter})
  set_tests_properties(${name} PROPERTIES
    LABELS en_US
    ENVIRONMENT "LANG=en_US.UTF-8;LC_ALL=en_US.UTF-8")
endfunction()

function(dozuri_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(DOZURI_WINDOWS OR NOT DOZURI_BENCH)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE dozuri_options ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
