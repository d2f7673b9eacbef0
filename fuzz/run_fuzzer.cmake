# Runs one fuzz target for SECONDS over CORPUS_DIR, after copying its seeds
# (fuzz/seeds.cmake) from SOURCE_DIR into it, each cut to the target's longest
# input by TRIM_SEED (the trim_seed tool). FRESH=ON empties the corpus
# first: ctest's runs start from the seeds alone, while scripts/fuzz-long.sh
# keeps its corpus from one run to the next. The source tree's seeds are never
# touched. Any crash, leak, sanitizer report or timeout makes the fuzzer, and
# so this script, fail; what triggered it is left in ARTIFACT_DIR.
include(${CMAKE_CURRENT_LIST_DIR}/seeds.cmake)
if(FRESH)
    file(REMOVE_RECURSE ${CORPUS_DIR})
endif()
file(MAKE_DIRECTORY ${CORPUS_DIR} ${ARTIFACT_DIR})
set(count 0)
set(pairs "")
foreach(dir ${FUZZ_SEED_DIRS})
    foreach(pattern ${${TARGET}_SEEDS})
        file(GLOB_RECURSE seeds ${SOURCE_DIR}/${dir}/${pattern})
        foreach(seed ${seeds})
            math(EXPR count "${count} + 1")
            get_filename_component(name ${seed} NAME)
            list(APPEND pairs ${seed} ${CORPUS_DIR}/seed-${count}-${name})
        endforeach()
    endforeach()
endforeach()
if(pairs)
    execute_process(COMMAND ${TRIM_SEED} ${${TARGET}_MAX_LEN} ${pairs} RESULT_VARIABLE trimmed)
    if(NOT trimmed EQUAL 0)
        message(FATAL_ERROR "${TARGET}: could not trim its seeds")
    endif()
endif()
message(STATUS "${TARGET}: ${count} seeds, inputs up to ${${TARGET}_MAX_LEN} bytes")
execute_process(
    COMMAND ${FUZZER} -max_total_time=${SECONDS} -max_len=${${TARGET}_MAX_LEN} -timeout=10
            -print_final_stats=1 -artifact_prefix=${ARTIFACT_DIR}/ ${CORPUS_DIR}
    WORKING_DIRECTORY ${ARTIFACT_DIR}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${TARGET} found a problem (exit ${result}); see ${ARTIFACT_DIR}")
endif()
