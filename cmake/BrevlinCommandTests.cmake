# Tests that run the `brevlin` program itself, shared by the Linux and the Windows build.
# `root` is this machine's root as the program sees it: empty here, "Z:" for a program under
# Wine.

# The paths a test program of the command line is built with.
function(brevlin_command_test_paths target root)
  target_compile_definitions(${target} PRIVATE
    BREVLIN_EXE="${root}$<TARGET_FILE:brevlin>"
    BREVLIN_TEST_DATA="${root}${PROJECT_SOURCE_DIR}/tests/data"
    BREVLIN_SOURCE_DIR="${root}${PROJECT_SOURCE_DIR}")
  add_dependencies(${target} brevlin)
endfunction()

# Every bundled sample through `brevlin convert --bvl`, against the expected HTML.
function(brevlin_sample_tests root)
  set(samples
    c.c cpp.cpp csharp.cs java.java javascript.js typescript.ts python.py ruby.rb
    go.go rust.rs php.php sql.sql shell.sh vb.vb pascal.pas perl.pl)
  foreach(sample IN LISTS samples)
    get_filename_component(key ${sample} NAME_WE)
    add_test(NAME languages.convert.${key}
      COMMAND ${CMAKE_COMMAND}
        -DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}
        -DBREVLIN=$<TARGET_FILE:brevlin>
        -DBVL=${root}${PROJECT_SOURCE_DIR}/languages/${key}.bvl
        -DINPUT=${root}${PROJECT_SOURCE_DIR}/tests/data/languages/${sample}
        -DEXPECTED=${PROJECT_SOURCE_DIR}/tests/data/languages/${key}.html
        -DOUTPUT=${root}${CMAKE_CURRENT_BINARY_DIR}/${key}.html
        -DRESULT=${CMAKE_CURRENT_BINARY_DIR}/${key}.html
        -P ${PROJECT_SOURCE_DIR}/tests/languages/ConvertSample.cmake)
  endforeach()
endfunction()
