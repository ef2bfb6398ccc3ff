# Copies data files into the build tree's share/brevlin-glosser/<subfolder>, where the program
# run from the build tree finds them, and installs them to the same place under the prefix.
function(brevlin_data target subfolder)
  set(outputs)
  foreach(file IN LISTS ARGN)
    set(output ${PROJECT_BINARY_DIR}/share/brevlin-glosser/${subfolder}/${file})
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_SOURCE_DIR}/${file} ${output}
      DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${file}
      VERBATIM)
    list(APPEND outputs ${output})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
  list(TRANSFORM ARGN PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  install(FILES ${ARGN} DESTINATION ${CMAKE_INSTALL_DATADIR}/brevlin-glosser/${subfolder})
endfunction()
