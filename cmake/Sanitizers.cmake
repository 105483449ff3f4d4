if(QUORVEL_SANITIZE)
  set(QUORVEL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${QUORVEL_SANITIZER_FLAGS})
  add_link_options(${QUORVEL_SANITIZER_FLAGS})
  # The sanitizer build is the test build. -O1 with line tables compiles in about a third of the
  # time of -O2 with full debug information, and a report still names file and line.
  foreach(lang C CXX)
    set(CMAKE_${lang}_FLAGS_RELWITHDEBINFO "-O1 -g1 -DNDEBUG")
  endforeach()
endif()

# A test program's own code is compiled without optimisation in the sanitizer build: optimising
# the instrumented expansion of the test macros costs more than twice the compile time, while
# the code under test, in the libraries, keeps its -O1.
function(quorvel_compile_as_test target)
  if(QUORVEL_SANITIZE)
    target_compile_options(${target} PRIVATE -O0)
  endif()
endfunction()

# Registers a GoogleTest executable with CTest; tests run from the output folder so that
# libraries found beside the toolkit are the ones just built.
function(quorvel_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  quorvel_compile_as_test(${name})
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
