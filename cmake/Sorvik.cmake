# Flags shared by every target of the project.

if(SORVIK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(SORVIK_FUZZ)
  # Coverage for libFuzzer everywhere; the targets themselves add the driver.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  enable_language(RC)
  add_compile_definitions(NOMINMAX STRICT WINVER=0x0601 _WIN32_WINNT=0x0601)
  # Everything is linked statically against libgcc, libstdc++ and
  # winpthreads: a user needs nothing but our two files.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # The shipped build carries no symbols, and no code or data nothing uses.
  add_compile_options($<$<CONFIG:MinSizeRel>:-ffunction-sections> $<$<CONFIG:MinSizeRel>:-fdata-sections>)
  add_link_options($<$<CONFIG:MinSizeRel>:-s> $<$<CONFIG:MinSizeRel>:-Wl,--gc-sections>)
  # windres: our .rc files are UTF-8 and carry CP932 text.
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
endif()

# The version, for the resources (SorvikVersion.h) and for `make dist`
# (VERSION in the build folder).
configure_file(${PROJECT_SOURCE_DIR}/cmake/SorvikVersion.h.in ${PROJECT_BINARY_DIR}/generated/SorvikVersion.h @ONLY)
set(SORVIK_VERSION_QUAD "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
configure_file(${PROJECT_SOURCE_DIR}/agent/Sorvik.manifest.in ${PROJECT_BINARY_DIR}/generated/Sorvik.manifest @ONLY)
file(WRITE ${PROJECT_BINARY_DIR}/VERSION "${PROJECT_VERSION}\n")

# Our own targets link this; third-party code does not.
add_library(sorvik_flags INTERFACE)
target_compile_options(sorvik_flags INTERFACE -Wall -Wextra -Werror)
target_include_directories(sorvik_flags INTERFACE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
# Sources are UTF-8; narrow literals are the CP932 bytes the host and the
# user's system use. C++20's <chrono> carries a literal micro sign, which CP932
# lacks: our code does not include <chrono> (googletest, which does, is built
# without these flags). clang only knows UTF-8 as execution character set: in
# the fuzz build the Japanese literals are UTF-8, which no fuzz target checks.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(sorvik_flags INTERFACE -finput-charset=UTF-8 -fexec-charset=CP932)
endif()

# Code that runs without the C and C++ runtimes (the hook library, loaded
# into the host): no exceptions, no type information, no guarded statics,
# and each function in its own section so that the link keeps only what is
# used. Such code may use the standard library's header-only parts that need
# none of these.
add_library(sorvik_runtime_free INTERFACE)
target_compile_options(sorvik_runtime_free INTERFACE
  -fno-exceptions -fno-rtti -fno-threadsafe-statics -fno-stack-protector
  -ffunction-sections -fdata-sections)
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  # i686 would carry DWARF unwind tables that only a runtime reads. (x86_64
  # keeps its unwind data: the system itself unwinds through every frame.)
  target_compile_options(sorvik_runtime_free INTERFACE -fno-asynchronous-unwind-tables -fno-unwind-tables)
endif()
