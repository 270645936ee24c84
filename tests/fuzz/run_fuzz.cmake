# Runs a libFuzzer binary for a bounded number of inputs, starting from a copy of the seed corpus
# (the fuzzer adds what it finds to its first corpus directory, which must not be the sources).
# Fails on any crash or sanitizer report, which libFuzzer signals with a nonzero exit status.
# MAX_LEN, the longest input tried, defaults to 4096 bytes.
if(NOT MAX_LEN)
  set(MAX_LEN 4096)
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/artifacts)
file(GLOB seeds ${SEEDS}/*)
file(COPY ${seeds} DESTINATION ${WORK}/corpus)
execute_process(
  COMMAND ${FUZZER} ${WORK}/corpus -runs=${RUNS} -max_len=${MAX_LEN} -timeout=10 -rss_limit_mb=2048
          -seed=1 -print_final_stats=1 -artifact_prefix=${WORK}/artifacts/
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  get_filename_component(name ${FUZZER} NAME)
  message(FATAL_ERROR "${name} failed (status ${status}); the input is in ${WORK}/artifacts")
endif()
