# A test program's own code is compiled without optimisation in the sanitizer build, and with
# AddressSanitizer alone: optimising the instrumented expansion of the test macros costs more
# than twice the compile time, and UndefinedBehaviorSanitizer's checks of every assertion's
# arithmetic another half. The code under test, in the libraries and programs, keeps both
# sanitizers and its -O1, and the test programs link both runtimes. Every test program is
# compiled as position-independent code, as Qt asks of those that link it, so that one
# precompiled header serves them all.
function(quorvel_compile_as_test target)
  target_compile_options(${target} PRIVATE -fPIC)
  if(QUORVEL_SANITIZE)
    target_compile_options(${target} PRIVATE -O0 -fno-sanitize=undefined)
  endif()
endfunction()

# Precompiled headers of the test frameworks, built once and reused by every test program whose
# compile flags match (the compiler checks that and parses the headers themselves where they do
# not): parsing GoogleTest, Qt Test and Qt Widgets is most of a test file's compile time.
function(quorvel_test_pch_target name)
  cmake_parse_arguments(ARG "" "" "HEADERS;LIBS" ${ARGN})
  if(TARGET ${name})
    return()
  endif()
  set(source ${CMAKE_BINARY_DIR}/${name}.cpp)
  file(WRITE ${source} "int main() { return 0; }\n")
  add_executable(${name} EXCLUDE_FROM_ALL ${source})
  quorvel_compile_as_test(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_precompile_headers(${name} PRIVATE ${ARG_HEADERS})
endfunction()

set(QUORVEL_GTEST_PCH_HEADERS
  <gtest/gtest.h> <algorithm> <chrono> <cstdint> <cstring> <filesystem> <fstream> <functional>
  <map> <memory> <optional> <set> <sstream> <string> <string_view> <thread> <vector>)
set(QUORVEL_QT_TEST_PCH_HEADERS
  <QtWidgets/QtWidgets> <algorithm> <filesystem> <functional> <memory> <string> <vector>)

function(quorvel_use_test_pch target kind)
  if(kind STREQUAL "gtest")
    quorvel_test_pch_target(quorvel_gtest_pch HEADERS ${QUORVEL_GTEST_PCH_HEADERS}
                            LIBS GTest::gtest)
    target_precompile_headers(${target} REUSE_FROM quorvel_gtest_pch)
  else()
    find_package(Qt6 REQUIRED COMPONENTS Widgets)
    quorvel_test_pch_target(quorvel_qt_test_pch HEADERS ${QUORVEL_QT_TEST_PCH_HEADERS}
                            LIBS Qt6::Widgets)
    target_precompile_headers(${target} REUSE_FROM quorvel_qt_test_pch)
  endif()
endfunction()

# Registers a GoogleTest executable with CTest; tests run from the output folder so that
# libraries found beside the toolkit are the ones just built.
function(quorvel_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  quorvel_compile_as_test(${name})
  quorvel_use_test_pch(${name} gtest)
  # C sources, and the C++ check that a public header compiles alone, include nothing forced.
  foreach(source IN LISTS ARG_SOURCES)
    if(source MATCHES "\\.c$|_alone_")
      set_source_files_properties(${source} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
  endforeach()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  set(properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties})
endfunction()

# Registers a Qt Test program that drives the real windows on the offscreen platform, with the
# window tests' shared support headers and leak suppressions.
function(quorvel_add_window_test name)
  cmake_parse_arguments(ARG "" "PREFIX;TIMEOUT" "SOURCES;LIBS;INCLUDES" ${ARGN})
  set(ui_tests ${PROJECT_SOURCE_DIR}/app/shell/ui/tests)
  add_executable(${name} ${ARG_SOURCES})
  quorvel_compile_as_test(${name})
  quorvel_use_test_pch(${name} qt)
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_include_directories(${name} PRIVATE ${ui_tests}/support ${ARG_INCLUDES})
  target_link_libraries(${name} PRIVATE import_ui import_test_support ${ARG_LIBS} Qt6::Test)
  add_test(NAME ${ARG_PREFIX}.${name} COMMAND ${name})
  set_tests_properties(${ARG_PREFIX}.${name} PROPERTIES
    WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${ui_tests}/lsan.supp:print_suppressions=0"
    LABELS appgui
    TIMEOUT ${ARG_TIMEOUT})
endfunction()
