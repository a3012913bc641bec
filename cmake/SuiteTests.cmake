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
#   cmake -P SuiteTests.cmake with TEST_EXECUTABLE, TEST_FOLDER, CTEST_FILE,
#   TEST_ENVIRONMENT, PROCESS_TESTS and SHARED_SUITES, run after each build of the
#   program to list its suites.

if(CMAKE_SCRIPT_MODE_FILE)
  execute_process(COMMAND "${TEST_EXECUTABLE}" --gtest_list_tests
                  OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE result
                  TIMEOUT 60)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Listing the tests of ${TEST_EXECUTABLE} failed (${result}):\n${errors}")
  endif()
  if(NOT DEFINED PROCESS_TESTS)
    set(PROCESS_TESTS 0)
  endif()
  if(NOT DEFINED SHARED_SUITES)
    set(SHARED_SUITES "")
  endif()
  string(REPLACE "\n" ";" lines "${listing}")
  # Suite lines start at column 0 and end with a dot (typed suites add a comment);
  # the suite's tests follow, indented (parameterised ones add a comment too).
  set(suites "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^([^ #][^ ]*)\\.")
      set(suite "${CMAKE_MATCH_1}")
      list(APPEND suites "${suite}")
      set(tests_${suite} "")
    elseif(line MATCHES "^  ([^ ]+)" AND suites)
      list(APPEND tests_${suite} "${CMAKE_MATCH_1}")
    endif()
  endforeach()

  # What each process runs: a name, a filter and its cost for ctest (its number of tests,
  # more for the shared process, so that it starts first).
  set(entries "")
  macro(_entry name filter count)
    list(APPEND entries "${name}")
    set(filter_${name} "${filter}")
    set(cost_${name} ${count})
  endmacro()

  # Suites that pay one costly start between them (the browser engine's) run
  # together in one process, started before all others.
  if(NOT SHARED_SUITES STREQUAL "")
    set(shared "")
    set(others "")
    foreach(suite IN LISTS suites)
      if(suite MATCHES "${SHARED_SUITES}")
        list(APPEND shared "${suite}")
      else()
        list(APPEND others "${suite}")
      endif()
    endforeach()
    if(shared)
      list(JOIN shared "+" name)
      set(filter "${shared}")
      list(TRANSFORM filter APPEND ".*")
      list(JOIN filter ":" filter)
      _entry("${name}" "${filter}" 1000000)
    endif()
    set(suites "${others}")
  endif()
  if(PROCESS_TESTS LESS_EQUAL 0)
    foreach(suite IN LISTS suites)
      list(LENGTH tests_${suite} n)
      _entry("${suite}" "${suite}.*" ${n})
    endforeach()
  else()
    # At most PROCESS_TESTS tests per process: a long suite is cut into even parts
    # ("Suite#1", "Suite#2", ...), and short suites share a process ("A+B"), so that
    # no process is left running alone at the end and few pay the start twice.
    set(small "")
    foreach(suite IN LISTS suites)
      list(LENGTH tests_${suite} n)
      if(n GREATER PROCESS_TESTS)
        math(EXPR parts "(${n} + ${PROCESS_TESTS} - 1) / ${PROCESS_TESTS}")
        math(EXPR last "${parts} - 1")
        foreach(part RANGE ${last})
          math(EXPR from "${part} * ${n} / ${parts}")
          math(EXPR to "(${part} + 1) * ${n} / ${parts}")
          math(EXPR count "${to} - ${from}")
          list(SUBLIST tests_${suite} ${from} ${count} chunk)
          list(TRANSFORM chunk PREPEND "${suite}.")
          list(JOIN chunk ":" filter)
          math(EXPR number "${part} + 1")
          _entry("${suite}#${number}" "${filter}" ${count})
        endforeach()
      elseif(n GREATER 0)
        # Zero-padded counts sort as numbers.
        string(LENGTH "${n}" digits)
        math(EXPR pad "6 - ${digits}")
        string(REPEAT "0" ${pad} zeros)
        list(APPEND small "${zeros}${n}|${suite}")
      endif()
    endforeach()
    # First fit, the largest suites first.
    list(SORT small COMPARE NATURAL ORDER DESCENDING)
    set(bins "")
    foreach(item IN LISTS small)
      string(REGEX MATCH "^0*([0-9]+)\\|(.*)$" _ "${item}")
      set(n ${CMAKE_MATCH_1})
      set(suite "${CMAKE_MATCH_2}")
      set(placed FALSE)
      foreach(bin IN LISTS bins)
        math(EXPR total "${total_${bin}} + ${n}")
        if(total LESS_EQUAL PROCESS_TESTS)
          set(total_${bin} ${total})
          list(APPEND suites_${bin} "${suite}")
          set(placed TRUE)
          break()
        endif()
      endforeach()
      if(NOT placed)
        list(LENGTH bins bin)
        list(APPEND bins ${bin})
        set(total_${bin} ${n})
        set(suites_${bin} "${suite}")
      endif()
    endforeach()
    foreach(bin IN LISTS bins)
      list(JOIN suites_${bin} "+" name)
      set(filter "${suites_${bin}}")
      list(TRANSFORM filter APPEND ".*")
      list(JOIN filter ":" filter)
      _entry("${name}" "${filter}" ${total_${bin}})
    endforeach()
  endif()

  # ctest starts the costlier entries first.
  set(content "")
  foreach(entry IN LISTS entries)
    set(name "${TEST_FOLDER}:${entry}")
    string(APPEND content
      "add_test([=[${name}]=] [=[${TEST_EXECUTABLE}]=] [=[--gtest_filter=${filter_${entry}}]=])\n"
      "set_tests_properties([=[${name}]=] PROPERTIES ENVIRONMENT [=[${TEST_ENVIRONMENT}]=] TIMEOUT 600"
      " COST ${cost_${entry}})\n")
  endforeach()
  file(WRITE "${CTEST_FILE}" "${content}")
  return()
endif()

set(_mirtal_suite_script "${CMAKE_CURRENT_LIST_FILE}")

# An optional fourth argument, a number of tests, cuts long suites and joins short
# ones so that each process runs about that many (for programs whose every test
# starts a main window); without it each suite is one entry. An optional fifth, a
# regular expression, names the suites that share one process of their own.
function(mirtal_add_suite_tests target folder environment)
  set(process_tests 0)
  set(shared_suites "")
  if(ARGC GREATER 3)
    set(process_tests ${ARGV3})
  endif()
  if(ARGC GREATER 4)
    set(shared_suites "${ARGV4}")
  endif()
  set(ctest_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND "${CMAKE_COMMAND}" -D "TEST_EXECUTABLE=$<TARGET_FILE:${target}>"
            -D "TEST_FOLDER=${folder}" -D "CTEST_FILE=${ctest_file}"
            -D "TEST_ENVIRONMENT=${environment}" -D "PROCESS_TESTS=${process_tests}"
            -D "SHARED_SUITES=${shared_suites}"
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
