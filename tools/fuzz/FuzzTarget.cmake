# quorvel_add_fuzzer(name SOURCES ... LIBS ... COVERED ...): a libFuzzer executable (clang).
# The static libraries listed in COVERED get coverage guidance and the sanitizers; shared
# libraries stay uninstrumented, because the hooks live in the fuzzer's static runtime, which a
# shared library cannot reach.
set(QUORVEL_FUZZ_COMPILE_FLAGS -fsanitize=fuzzer-no-link,address,undefined
  -fno-sanitize-recover=all -fno-omit-frame-pointer)

function(quorvel_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;COVERED" ${ARGN})
  foreach(covered IN LISTS ARG_COVERED)
    target_compile_options(${covered} PRIVATE ${QUORVEL_FUZZ_COMPILE_FLAGS})
  endforeach()
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/include)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_compile_options(${name} PRIVATE ${QUORVEL_FUZZ_COMPILE_FLAGS})
  # Hiding the symbols of static archives would hide the sanitizer runtime's allocator and
  # hooks from the shared libraries the fuzzer loads.
  get_target_property(options ${name} LINK_OPTIONS)
  if(options)
    list(FILTER options EXCLUDE REGEX "exclude-libs")
    set_property(TARGET ${name} PROPERTY LINK_OPTIONS ${options})
  endif()
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
endfunction()
