# Warnings apply to our own targets only (third-party headers come in as system includes).
add_compile_options(-Wall -Wextra)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor>)
endif()
# Symbols of static libraries linked into a shared library are never re-exported.
add_link_options($<$<PLATFORM_ID:Linux>:LINKER:--exclude-libs,ALL>)
# GCC 12 reports -Wrestrict inside libstdc++'s inlined std::string copies at -O2 for ordinary
# string assignments and concatenations (a false positive fixed in GCC 13); it would bury real
# warnings in Release builds.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
endif()
