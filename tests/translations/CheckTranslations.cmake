# Each translation file, brought up to date with the code in a scratch copy, must be the file
# as committed, lrelease must report no unfinished or untranslated message in it, and the
# committed .qm beside it must be what lrelease makes of it.
# cmake -DLUPDATE= -DLRELEASE= -DOPTIONS= -DSOURCES= -DFILES= -DWORK= -P CheckTranslations.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failures)
foreach(ts IN LISTS FILES)
  get_filename_component(name ${ts} NAME)
  set(copy ${WORK}/${name})
  file(COPY_FILE ${ts} ${copy})
  execute_process(COMMAND ${LUPDATE} ${OPTIONS} ${SOURCES} -ts ${copy}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${name}:\n${out}${err}")
  endif()
  execute_process(COMMAND ${LRELEASE} ${copy} -qm ${WORK}/${name}.qm
    RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE err)
  message("${name}: ${report}${err}")
  if(NOT status EQUAL 0 OR NOT report MATCHES "Generated [0-9]+ translation\\(s\\) \\([0-9]+ finished and 0 unfinished\\)")
    list(APPEND failures "${name}: unfinished translations")
  endif()
  if(report MATCHES "Ignored [0-9]+ untranslated")
    list(APPEND failures "${name}: untranslated texts")
  endif()
  file(READ ${ts} committed)
  file(READ ${copy} updated)
  if(NOT committed STREQUAL updated)
    list(APPEND failures "${name}: differs from the code's texts")
    execute_process(COMMAND diff -u ${ts} ${copy})
  endif()
  string(REGEX REPLACE "\\.ts$" ".qm" qm ${ts})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${qm} ${WORK}/${name}.qm
    RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    get_filename_component(qm_name ${qm} NAME)
    list(APPEND failures "${qm_name}: not what lrelease makes of ${name}")
  endif()
endforeach()
if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "${text}\nRun `cmake --build <build> --target update_translations` and translate "
    "what lupdate marks unfinished.")
endif()
