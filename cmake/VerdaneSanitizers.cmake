# Builds for finding faults rather than shipping:
#  VERDANE_SANITIZE  every target with AddressSanitizer and
#                    UndefinedBehaviorSanitizer; any report ends the program
#                    with a failure.
#  VERDANE_FUZZ      the libFuzzer harnesses of tests/fuzz (clang only); the
#                    code they reach is instrumented for coverage.
option(VERDANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VERDANE_FUZZ "Build the libFuzzer harnesses (clang)" OFF)

if(VERDANE_SANITIZE)
  set(verdane_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${verdane_sanitizers})
  add_link_options(${verdane_sanitizers})
endif()

if(VERDANE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VERDANE_FUZZ needs clang (libFuzzer)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
