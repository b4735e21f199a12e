# SPDX-License-Identifier: MIT
# GoogleTest for both builds, and one CTest entry per test program.
#
# Under wine every process start costs time, so each test program is one CTest
# test (no per-case discovery). Every program writes a JUnit report into
# ${TRANSLIT_TEST_REPORTS}; test.sh adds them up.

set(TRANSLIT_TEST_REPORTS ${CMAKE_BINARY_DIR}/test-reports)
file(MAKE_DIRECTORY ${TRANSLIT_TEST_REPORTS})

if(WIN32)
  # Debian's GoogleTest sources, built with the cross compiler.
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(TRANSLIT_GTEST gtest gtest_main)
else()
  find_package(GTest REQUIRED)
  set(TRANSLIT_GTEST GTest::gtest GTest::gtest_main)
endif()

# translit_add_test(<name> SOURCES <files...> [LIBS <targets...>] [ENV <VAR=value...>])
function(translit_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  translit_target_settings(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${TRANSLIT_GTEST})
  if(WIN32)
    set(report "Z:${TRANSLIT_TEST_REPORTS}/${name}.xml")
  else()
    set(report "${TRANSLIT_TEST_REPORTS}/${name}.xml")
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${report})
  # A hung program must not hold up the whole run.
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  if(ARG_ENV)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${ARG_ENV}")
  endif()
endfunction()
