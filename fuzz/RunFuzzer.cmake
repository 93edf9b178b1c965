# Runs a fuzzer over a fresh copy of its seed corpus: cmake -DFUZZER= -DSEEDS= -DCORPUS= -DARGS= -P
file(REMOVE_RECURSE ${CORPUS})
file(MAKE_DIRECTORY ${CORPUS})
file(GLOB seeds ${SEEDS}/*)
file(COPY ${seeds} DESTINATION ${CORPUS})
execute_process(COMMAND ${FUZZER} ${ARGS} ${CORPUS} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} failed: ${result}")
endif()
