# Regenerates the dictionary streams from the text sources and fails unless
# they equal the committed ones byte for byte.
#   cmake -DGENERATOR=make_streams -DDATA_DIR=dir -DWORK_DIR=dir -P CheckStreams.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(
    COMMAND "${GENERATOR}" "${DATA_DIR}/pinyin.txt" "${DATA_DIR}/idioms.txt" "${DATA_DIR}/meanings.txt"
            "${DATA_DIR}/readings.txt" "${DATA_DIR}/english.txt"
            "${DATA_DIR}/commonness.txt" "${DATA_DIR}/customary.txt" "${WORK_DIR}"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the generator failed (${result})")
endif()
foreach(name pinyin.lzma idioms.lzma meanings.lzma readings.lzma english.lzma commonness.lzma customary.lzma)
    file(SHA256 "${DATA_DIR}/${name}" committed)
    file(SHA256 "${WORK_DIR}/${name}" generated)
    if(NOT committed STREQUAL generated)
        message(FATAL_ERROR "${name} is stale: regenerate it with make_streams (see README)")
    endif()
    message(STATUS "${name} matches its sources")
endforeach()
