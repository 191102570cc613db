# CTest runs each GoogleTest suite of a test executable in one process of
# its own (--gtest_filter=Suite.*), not each test: a process start, the
# sanitizer's set-up and the first load of shared data (fonts, the sample
# game) are paid once a suite instead of once a test, and the suites still
# run side by side. A failing test is named in the suite's output
# ("[  FAILED  ] Suite.Test"), which ctest --output-on-failure prints.
#
# The suites are listed after each link (like gtest_discover_tests does for
# tests) into <exe>_suites.cmake, which CTest includes. Each suite writes
# its results to LHT_TEST_RESULTS_DIR/<exe>.<suite>.xml, which the test
# script sums up.

set(_LHT_LIST_SUITES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/LhtListSuites.cmake)

# lht_add_suite_tests(<target> TIMEOUT <seconds> ENVIRONMENT <var=value>...)
function(lht_add_suite_tests target)
  cmake_parse_arguments(ARG "" "TIMEOUT" "ENVIRONMENT" ${ARGN})
  set(_list ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake)
  set(_include ${CMAKE_CURRENT_BINARY_DIR}/${target}_include.cmake)
  string(JOIN "|" _env ${ARG_ENVIRONMENT})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -D EXE=$<TARGET_FILE:${target}> -D TARGET=${target} -D OUT=${_list}
            -D TIMEOUT=${ARG_TIMEOUT} "-DENVIRONMENT=${_env}" -D RESULTS=${LHT_TEST_RESULTS_DIR}
            -D WORKDIR=${CMAKE_CURRENT_BINARY_DIR}
            -P ${_LHT_LIST_SUITES_SCRIPT}
    BYPRODUCTS ${_list}
    VERBATIM)
  file(WRITE ${_include}
    "if(EXISTS \"${_list}\")\n"
    "  include(\"${_list}\")\n"
    "else()\n"
    "  add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${_include})
endfunction()
