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

add_subdirectory(src/text)
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
  add_subdirectory(tests)
endif()

# The installer, the portable zip and their test, once there is a tray program to ship.
if(TARGET brevlin-glosser)
  include(cmake/BrevlinInstaller.cmake)
endif()
