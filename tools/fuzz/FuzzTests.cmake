# The fuzz targets in the test suite (included by tests/CMakeLists.txt):
# fuzz.replay.<target> replays the target's seed corpus under the sanitizers
# in every run; fuzz.run.<target> fuzzes it with libFuzzer for
# $HIKEWISE_FUZZ_SECONDS seconds, and skips when that is not set.
set(fuzz_script ${PROJECT_SOURCE_DIR}/tools/fuzz.sh)
set(fuzz_env "HIKEWISE_FUZZ_BUILD_DIR=${CMAKE_BINARY_DIR}/fuzz-clang")
add_test(NAME fuzz.build COMMAND bash ${fuzz_script} --test-build)
set_tests_properties(fuzz.build PROPERTIES TIMEOUT 3600 SKIP_RETURN_CODE 77
  FIXTURES_SETUP hikewise_fuzzers ENVIRONMENT "${fuzz_env}")
foreach(target ${HIKEWISE_FUZZ_TARGETS})
  add_test(NAME fuzz.replay.${target}
    COMMAND ${target}_replay ${HIKEWISE_FUZZ_DIR}/corpus/${target})
  set_tests_properties(fuzz.replay.${target} PROPERTIES TIMEOUT 300)
  add_test(NAME fuzz.run.${target} COMMAND bash ${fuzz_script} --test-run ${target})
  # The fuzzer takes both cores' worth of attention: one at a time.
  set_tests_properties(fuzz.run.${target} PROPERTIES TIMEOUT 3600 SKIP_RETURN_CODE 77
    FIXTURES_REQUIRED hikewise_fuzzers RESOURCE_LOCK hikewise_fuzz ENVIRONMENT "${fuzz_env}")
endforeach()
