# The Windows build: what needs no Qt (Debian ships no Qt for Windows). The platform layer on
# the real registry, Win32 file calls and Windows' code page 932, the engine, the settings
# library and `brevlin`, each with its tests, which run under Wine.

# PCRE2 (16-bit, static) as scripts/windows.sh builds it from Debian's source package; with
# the tray program, the one that scripts/qt-windows.sh built Qt against.
set(BREVLIN_PCRE2_WIN "${CMAKE_BINARY_DIR}/pcre2" CACHE PATH "PCRE2 built for Windows")
if(NOT EXISTS ${BREVLIN_PCRE2_WIN}/lib/libpcre2-16.a)
  message(FATAL_ERROR "No PCRE2 for Windows in ${BREVLIN_PCRE2_WIN}: run scripts/windows.sh")
endif()
add_library(PkgConfig::PCRE2 STATIC IMPORTED)
set_target_properties(PkgConfig::PCRE2 PROPERTIES
  IMPORTED_LOCATION ${BREVLIN_PCRE2_WIN}/lib/libpcre2-16.a
  INTERFACE_INCLUDE_DIRECTORIES ${BREVLIN_PCRE2_WIN}/include
  INTERFACE_COMPILE_DEFINITIONS PCRE2_STATIC)

add_subdirectory(src/platform)
add_subdirectory(src/engine)
add_subdirectory(src/settings)
add_subdirectory(src/cli)
# The programs' translations beside them, in translations\ (Qt's host tools compile them).
add_subdirectory(translations)

# The tray program, with the static Qt that scripts/qt-windows.sh builds from Debian's
# sources against the same PCRE2 (one PCRE2 in the program). Without it, the build stops at
# what needs no Qt.
set(BREVLIN_QT_WIN "" CACHE PATH "Static Qt for Windows (scripts/qt-windows.sh)")
if(BREVLIN_QT_WIN)
  enable_language(RC)
  list(APPEND CMAKE_PREFIX_PATH ${BREVLIN_QT_WIN})
  # The static QtCore looks PCRE2 up again; by name, since the toolchain's search stays in
  # the MinGW sysroot.
  set(PCRE2_INCLUDE_DIRS ${BREVLIN_PCRE2_WIN}/include CACHE PATH "")
  set(PCRE2_LIBRARY_RELEASE ${BREVLIN_PCRE2_WIN}/lib/libpcre2-16.a CACHE FILEPATH "")
  set(PCRE2_LIBRARY_DEBUG ${BREVLIN_PCRE2_WIN}/lib/libpcre2-16.a CACHE FILEPATH "")
  # Qt's host tools (moc, rcc, uic) are Debian's own, of the same version.
  set(QT_HOST_PATH /usr CACHE PATH "")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
  find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Network)
  if(BREVLIN_BUILD_TESTS)
    find_package(Qt6 REQUIRED COMPONENTS Test)
  endif()
  include(cmake/BrevlinData.cmake)
  add_subdirectory(languages)
  add_subdirectory(help)
  add_subdirectory(src/ui)
  # Qt's standard buttons in Japanese, beside the program (a static Qt has no folder of its own),
  # with the program's own translations.
  file(COPY ${BREVLIN_QT_WIN}/translations/qtbase_ja.qm DESTINATION ${PROJECT_BINARY_DIR}/translations)
endif()
if(BREVLIN_BUILD_TESTS)
  enable_testing()
  # googletest from Debian's source package of it, built with the cross compiler.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  function(brevlin_win_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE gtest gtest_main)
    brevlin_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
  endfunction()
  # Paths as the programs under Wine see them: its drive Z: is the root of this machine.
  set(win_source "Z:${PROJECT_SOURCE_DIR}")
  brevlin_win_test(platform_win_tests
    tests/platform/CodePageTest.cpp
    tests/platform/RegFileTest.cpp
    tests/platform/UiLanguageTest.cpp
    tests/platform/win/WinFileStoreTest.cpp
    tests/platform/win/WinRegistryStoreTest.cpp)
  target_link_libraries(platform_win_tests PRIVATE brevlin_platform)
  file(GLOB engine_test_sources ${PROJECT_SOURCE_DIR}/tests/engine/*.cpp)
  brevlin_win_test(engine_win_tests ${engine_test_sources})
  target_link_libraries(engine_win_tests PRIVATE brevlin_engine)
  # The differential test is ten times slower under Wine; the Linux legs run the full count.
  set_tests_properties(engine_win_tests PROPERTIES ENVIRONMENT BREVLIN_DIFF_CASES=300)

  # All settings tests but those that fork or limit a process's memory.
  file(GLOB settings_test_sources ${PROJECT_SOURCE_DIR}/tests/settings/*.cpp)
  list(FILTER settings_test_sources EXCLUDE REGEX "HostileLanguageFileTest")
  brevlin_win_test(settings_win_tests ${settings_test_sources})
  target_link_libraries(settings_win_tests PRIVATE brevlin_settings)

  # The translation reader's test compares it with Qt's, which this build may not have.
  file(GLOB cli_test_sources ${PROJECT_SOURCE_DIR}/tests/cli/*.cpp)
  list(FILTER cli_test_sources EXCLUDE REGEX "MessageCatalogTest")
  brevlin_win_test(cli_win_tests ${cli_test_sources})
  target_link_libraries(cli_win_tests PRIVATE brevlin_cli_lib)
  add_dependencies(cli_win_tests brevlin_translations)
  brevlin_command_test_paths(cli_win_tests Z:)

  brevlin_win_test(languages_win_tests tests/languages/BundledLanguagesTest.cpp)
  target_link_libraries(languages_win_tests PRIVATE brevlin_settings)
  target_compile_definitions(languages_win_tests PRIVATE BREVLIN_SOURCE_DIR="${win_source}")

  # The whole program on the real registry, command for command against the Linux build.
  set(BREVLIN_LINUX_BREVLIN "${PROJECT_SOURCE_DIR}/build/brevlin" CACHE FILEPATH
      "The Linux brevlin the Windows one is compared with")
  add_test(NAME win_registry_roundtrip
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/win/registry_roundtrip.sh ${BREVLIN_LINUX_BREVLIN}
            $<TARGET_FILE:brevlin> ${PROJECT_SOURCE_DIR})
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    set_tests_properties(win_registry_roundtrip PROPERTIES
      ENVIRONMENT BREVLIN_WINE=${CMAKE_CROSSCOMPILING_EMULATOR})
  endif()

  # Every bundled sample through the Windows `brevlin`, against the same expected bytes as on
  # Linux.
  brevlin_sample_tests(Z:)

  if(TARGET brevlin-glosser)
    # The widget tests, on Qt's Windows platform with Wine's windows on the display that
    # scripts/windows.sh starts, and the whole tray program under Wine with trayer.
    function(brevlin_qtest name)
      add_executable(${name} ${ARGN})
      set_target_properties(${name} PROPERTIES AUTOMOC ON)
      target_link_libraries(${name} PRIVATE Qt6::Test Qt6::Widgets)
      brevlin_warnings(${name})
      add_test(NAME ${name} COMMAND ${name})
    endfunction()
    function(brevlin_gtest name)
      brevlin_win_test(${name} ${ARGN})
    endfunction()
    add_subdirectory(tests/ui/options)
    add_subdirectory(tests/ui/shell)
    add_test(NAME win_tray_program
      COMMAND bash ${PROJECT_SOURCE_DIR}/tests/win/tray_program.sh $<TARGET_FILE:brevlin-glosser>
              $<TARGET_FILE:brevlin> ${PROJECT_SOURCE_DIR})
    set_tests_properties(win_tray_program PROPERTIES TIMEOUT 600
      ENVIRONMENT "BREVLIN_TRAY_PREFIX=${CMAKE_BINARY_DIR}/wineprefix-tray")
  endif()
endif()

# The installer, the portable zip and their test, once there is a tray program to ship.
if(TARGET brevlin-glosser)
  include(cmake/BrevlinInstaller.cmake)
endif()
