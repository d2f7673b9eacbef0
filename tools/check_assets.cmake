# Runs the generator into WORK_DIR and compares every bitmap, model and WAV
# file byte for byte with the committed DATA_DIR.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${GENERATOR} ${WORK_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the generator failed: ${result}")
endif()

file(GLOB generated RELATIVE ${WORK_DIR} LIST_DIRECTORIES false ${WORK_DIR}/*.bmp ${WORK_DIR}/*.ase
     ${WORK_DIR}/*.wav ${WORK_DIR}/sky/*.bmp ${WORK_DIR}/nums/*.bmp)
file(GLOB committed RELATIVE ${DATA_DIR} LIST_DIRECTORIES false ${DATA_DIR}/*.bmp ${DATA_DIR}/*.ase
     ${DATA_DIR}/*.wav ${DATA_DIR}/sky/*.bmp ${DATA_DIR}/nums/*.bmp)
list(SORT generated)
list(SORT committed)
if(NOT generated STREQUAL committed)
    message(FATAL_ERROR "file lists differ:\n generated: ${generated}\n committed: ${committed}")
endif()
list(LENGTH generated count)
if(count LESS 21)
    message(FATAL_ERROR "expected 17 bitmaps, nau.ase and three WAV files, found ${count}")
endif()

set(mismatched "")
foreach(name ${generated})
    file(SHA256 ${WORK_DIR}/${name} fresh)
    file(SHA256 ${DATA_DIR}/${name} stored)
    if(NOT fresh STREQUAL stored)
        list(APPEND mismatched ${name})
    endif()
endforeach()
if(mismatched)
    message(FATAL_ERROR "regenerated files differ from data/: ${mismatched}\n"
                        "run tools/generate-assets.sh and commit data/")
endif()
message(STATUS "${count} files identical to data/")
