# GoogleTest for the test suites: the installed package when there is one
# (native builds), otherwise built from the sources Debian ships in
# /usr/src/googletest (cross builds, where no Windows package exists).
if(NOT TARGET GTest::gtest_main)
  find_package(GTest QUIET)
  if(NOT GTest_FOUND)
    set(VERDANE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(${VERDANE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    # GoogleTest 1.11 and later name their targets GTest::* themselves.
    if(NOT TARGET GTest::gtest_main)
      add_library(GTest::gtest_main ALIAS gtest_main)
      add_library(GTest::gtest ALIAS gtest)
    endif()
  endif()
endif()

# The time limit of a suite that names none, in seconds: ample for the unit
# suites under the sanitizers or Wine on a busy machine, yet a hang ends the
# run in minutes rather than at CTest's default of 25.
set(VERDANE_TEST_TIMEOUT 300)

# verdane_add_test(NAME SOURCES sources... LIBS libs... [TIMEOUT seconds])
function(verdane_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT ${VERDANE_TEST_TIMEOUT})
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
endfunction()
