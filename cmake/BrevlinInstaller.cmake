# The Windows installer and the portable zip (scripts/windows-package.sh with NSIS), made
# again when the programs or their data change, and their test under Wine.
find_program(BREVLIN_MAKENSIS makensis)
if(NOT BREVLIN_MAKENSIS)
  message(FATAL_ERROR "makensis (Debian's nsis) is missing: run scripts/setup.sh")
endif()
set(brevlin_setup ${PROJECT_BINARY_DIR}/brevlin-glosser-${PROJECT_VERSION}-setup.exe)
set(brevlin_portable ${PROJECT_BINARY_DIR}/brevlin-glosser-${PROJECT_VERSION}-portable.zip)
file(GLOB brevlin_package_data CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/help/*.* ${PROJECT_SOURCE_DIR}/help/en/*.* ${PROJECT_SOURCE_DIR}/languages/*)
add_custom_command(OUTPUT ${brevlin_setup} ${brevlin_portable}
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/windows-package.sh ${PROJECT_BINARY_DIR} ${PROJECT_VERSION}
  DEPENDS brevlin brevlin-glosser brevlin_languages brevlin_help_files brevlin_translations
          ${brevlin_package_data} ${PROJECT_BINARY_DIR}/translations/qtbase_ja.qm
          ${PROJECT_SOURCE_DIR}/installer/brevlin-glosser.nsi
          ${PROJECT_SOURCE_DIR}/scripts/windows-package.sh
          ${PROJECT_SOURCE_DIR}/src/ui/shell/win/app.ico
  COMMENT "Windows installer and portable zip"
  VERBATIM)
add_custom_target(brevlin_windows_package ALL DEPENDS ${brevlin_setup} ${brevlin_portable})

if(BREVLIN_BUILD_TESTS)
  # Install, upgrade and uninstall in a fresh prefix of its own, with trayer under Xvfb.
  add_test(NAME win_installer
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/win/installer.sh ${brevlin_setup}
            ${PROJECT_BINARY_DIR}/package/stage ${brevlin_portable} ${PROJECT_VERSION}
            ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/wineprefix-installer)
  set_tests_properties(win_installer PROPERTIES TIMEOUT 900 RUN_SERIAL TRUE)
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    set_tests_properties(win_installer PROPERTIES
      ENVIRONMENT BREVLIN_WINE=${CMAKE_CROSSCOMPILING_EMULATOR})
  endif()
endif()
