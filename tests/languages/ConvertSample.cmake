# Converts one sample with `brevlin convert --bvl` and compares the output with the expected HTML.
# Variables: BREVLIN, BVL, INPUT, EXPECTED, OUTPUT.
execute_process(
  COMMAND "${BREVLIN}" convert --bvl "${BVL}" -o "${OUTPUT}" "${INPUT}"
  RESULT_VARIABLE status
  ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "brevlin convert failed (${status}): ${errors}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUTPUT}" "${EXPECTED}"
                RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "${OUTPUT} differs from ${EXPECTED}")
endif()
