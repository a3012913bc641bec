# One ctest entry per test suite of a GoogleTest program: "<folder>:<Suite>" runs
# the program with --gtest_filter=<Suite>.*.
#
# A test process pays the window layer's and the libraries' start (hundreds of
# milliseconds, several times that when eight start at once), which outweighed
# most tests themselves when every test ran in a process of its own. A suite's
# tests share one process as they do when the program is run by hand.
#
# Used two ways:
#   include(SuiteTests) then mirtal_add_suite_tests(<target> <folder> ...)
#   cmake -P SuiteTests.cmake with TEST_EXECUTABLE, TEST_FOLDER, CTEST_FILE and
#   TEST_ENVIRONMENT, run after each build of the program to list its suites.

if(CMAKE_SCRIPT_MODE_FILE)
  execute_process(COMMAND "${TEST_EXECUTABLE}" --gtest_list_tests
                  OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE result
                  TIMEOUT 60)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Listing the tests of ${TEST_EXECUTABLE} failed (${result}):\n${errors}")
  endif()
  string(REPLACE "\n" ";" lines "${listing}")
  # Suite lines start at column 0 and end with a dot (typed suites add a comment);
  # the suite's tests follow, indented.
  set(suites "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^([^ #][^ ]*)\\.")
      set(suite "${CMAKE_MATCH_1}")
      list(APPEND suites "${suite}")
      set(count_${suite} 0)
    elseif(line MATCHES "^  [^ ]" AND suites)
      math(EXPR count_${suite} "${count_${suite}} + 1")
    endif()
  endforeach()
  # The larger suites start first, so that no long one is left to run alone at the end.
  set(content "")
  foreach(suite IN LISTS suites)
    set(name "${TEST_FOLDER}:${suite}")
    string(APPEND content
      "add_test([=[${name}]=] [=[${TEST_EXECUTABLE}]=] [=[--gtest_filter=${suite}.*]=])\n"
      "set_tests_properties([=[${name}]=] PROPERTIES ENVIRONMENT [=[${TEST_ENVIRONMENT}]=] TIMEOUT 600"
      " COST ${count_${suite}})\n")
  endforeach()
  file(WRITE "${CTEST_FILE}" "${content}")
  return()
endif()

set(_mirtal_suite_script "${CMAKE_CURRENT_LIST_FILE}")

function(mirtal_add_suite_tests target folder environment)
  set(ctest_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND "${CMAKE_COMMAND}" -D "TEST_EXECUTABLE=$<TARGET_FILE:${target}>"
            -D "TEST_FOLDER=${folder}" -D "CTEST_FILE=${ctest_file}"
            -D "TEST_ENVIRONMENT=${environment}"
            -P "${_mirtal_suite_script}"
    VERBATIM)
  # Until the program is built there are no suites to list: say so instead of running nothing.
  set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_include.cmake")
  file(WRITE "${include_file}"
    "if(EXISTS [=[${ctest_file}]=])\n"
    "  include([=[${ctest_file}]=])\n"
    "else()\n"
    "  add_test([=[${target}_NOT_BUILT]=] [=[${target}_NOT_BUILT]=])\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
