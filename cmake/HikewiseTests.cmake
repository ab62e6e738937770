# How the test programs are registered with ctest, so that the summary tells
# what ran: a skipped check shows as skipped, never as passed.
include(GoogleTest)

set(HIKEWISE_DEFAULT_PEER_DATA_DIR "${PROJECT_SOURCE_DIR}/../shared/peer-data")
set(HIKEWISE_UNPRIVILEGED_RUNNER "${PROJECT_SOURCE_DIR}/tools/run-unprivileged.sh")

# Tests that talk to pseudo-terminals or paint in real time hold this lock;
# the sanitizer builds hold it too, so that they never run beside them.
set(HIKEWISE_REALTIME_LOCK hikewise_realtime)

# A GoogleTest program, one ctest test per test case. REALTIME: it holds the
# real-time lock (sanitizer builds, pseudo-terminal tests).
function(hikewise_gtest target prefix)
  cmake_parse_arguments(arg "REALTIME" "" "" ${ARGN})
  set(props SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\] 1 test")
  if(arg_REALTIME)
    list(APPEND props RESOURCE_LOCK ${HIKEWISE_REALTIME_LOCK})
  endif()
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST TEST_PREFIX "${prefix}."
    DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
endfunction()

# A Qt Test program on the offscreen platform. It counts as skipped when some
# of its functions skipped and none failed.
function(hikewise_qt_test name target)
  add_test(NAME ${name} COMMAND ${target})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    SKIP_REGULAR_EXPRESSION "Totals: [0-9]+ passed, 0 failed, [1-9][0-9]* skipped"
    RESOURCE_LOCK ${HIKEWISE_REALTIME_LOCK})
endfunction()

# A shell script; it exits 77 when it skips, with a one-line reason.
function(hikewise_script_test name script)
  add_test(NAME ${name} COMMAND bash ${script})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600 SKIP_RETURN_CODE 77
    RESOURCE_LOCK ${HIKEWISE_REALTIME_LOCK}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HIKEWISE_BIN_DIR=${CMAKE_BINARY_DIR}/bin;HIKEWISE_SOURCE_DIR=${PROJECT_SOURCE_DIR};HIKEWISE_DEFAULT_PEER_DATA_DIR=${HIKEWISE_DEFAULT_PEER_DATA_DIR}")
endfunction()

# The same program again as an unprivileged user (nobody) when the suite runs
# as root: root passes exclusive ports and read-only files, which hides
# faults. As another user the normal run is that pass already: a skip.
# Extra arguments go to the program.
function(hikewise_unprivileged_test name target)
  add_test(NAME unprivileged.${name}
    COMMAND ${HIKEWISE_UNPRIVILEGED_RUNNER} $<TARGET_FILE:${target}> ${ARGN})
  set_tests_properties(unprivileged.${name} PROPERTIES TIMEOUT 600 SKIP_RETURN_CODE 77
    RESOURCE_LOCK ${HIKEWISE_REALTIME_LOCK} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
