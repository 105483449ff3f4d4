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
