# Copies the seeds into a scratch corpus in the build tree (the fuzzer adds to
# its corpus, and the source tree must stay untouched), then fuzzes for SECONDS.
# Any crash, leak, sanitizer report or timeout makes the fuzzer, and so the test, fail.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/corpus ${WORK_DIR}/artifacts)
set(count 0)
foreach(dir ${SEED_DIRS})
    foreach(pattern ${PATTERNS})
        file(GLOB_RECURSE seeds ${dir}/${pattern})
        foreach(seed ${seeds})
            math(EXPR count "${count} + 1")
            get_filename_component(name ${seed} NAME)
            configure_file(${seed} ${WORK_DIR}/corpus/${count}-${name} COPYONLY)
        endforeach()
    endforeach()
endforeach()
message(STATUS "${count} seeds")
execute_process(
    COMMAND ${FUZZER} -max_total_time=${SECONDS} -max_len=65536 -timeout=10
            -print_final_stats=1 -artifact_prefix=${WORK_DIR}/artifacts/ ${WORK_DIR}/corpus
    WORKING_DIRECTORY ${WORK_DIR}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "fuzzer found a problem (exit ${result}); see ${WORK_DIR}/artifacts")
endif()
