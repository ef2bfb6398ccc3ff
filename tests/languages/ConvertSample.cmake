# Converts one sample with `brevlin convert --bvl` and compares the output with the expected HTML.
# Variables: BREVLIN, BVL, INPUT, EXPECTED, OUTPUT; EMULATOR runs a cross-built program, and
# RESULT is OUTPUT as this machine names it (the program under Wine names it otherwise).
execute_process(
  COMMAND ${EMULATOR} "${BREVLIN}" convert --bvl "${BVL}" -o "${OUTPUT}" "${INPUT}"
  RESULT_VARIABLE status
  ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "brevlin convert failed (${status}): ${errors}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${RESULT}" "${EXPECTED}"
                RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "${RESULT} differs from ${EXPECTED}")
endif()
