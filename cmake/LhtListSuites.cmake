# Run after a test executable is linked: lists its GoogleTest suites and
# writes one CTest entry a suite (see LhtSuiteTests.cmake).
# Input: EXE, TARGET, OUT, TIMEOUT, ENVIRONMENT (joined by "|"), RESULTS, WORKDIR.
string(REPLACE "|" ";" ENVIRONMENT "${ENVIRONMENT}")
execute_process(COMMAND ${EXE} --gtest_list_tests
                WORKING_DIRECTORY ${WORKDIR}
                OUTPUT_VARIABLE _listing RESULT_VARIABLE _result ERROR_VARIABLE _error
                TIMEOUT 120)
if(NOT _result EQUAL 0)
  message(FATAL_ERROR "${EXE} --gtest_list_tests failed (${_result}):\n${_listing}\n${_error}")
endif()

string(REPLACE "\n" ";" _lines "${_listing}")
set(_suites)
foreach(_line IN LISTS _lines)
  # A suite line starts in the first column and ends with '.', a test line
  # is indented; either may carry a "# TypeParam = ..." comment.
  if(_line MATCHES "^([^ #][^ ]*)\\.( .*)?$")
    list(APPEND _suites "${CMAKE_MATCH_1}")
  endif()
endforeach()

set(_text "")
foreach(_suite IN LISTS _suites)
  string(REGEX REPLACE "[^A-Za-z0-9_]" "_" _file "${_suite}")
  string(APPEND _text
    "add_test([=[${TARGET}:${_suite}]=] \"${EXE}\" [=[--gtest_filter=${_suite}.*]=]"
    " [=[--gtest_output=xml:${RESULTS}/${TARGET}.${_file}.xml]=])\n"
    "set_tests_properties([=[${TARGET}:${_suite}]=] PROPERTIES WORKING_DIRECTORY \"${WORKDIR}\" TIMEOUT ${TIMEOUT}"
    " LABELS ${TARGET} ENVIRONMENT [==[${ENVIRONMENT}]==])\n")
endforeach()
if(NOT _suites)
  string(APPEND _text "add_test(${TARGET}_NO_SUITES ${TARGET}_NO_SUITES)\n")
endif()
file(WRITE ${OUT} "${_text}")
