# The Windows build: what needs no Qt (Debian ships no Qt for Windows). For now the platform
# layer on the real registry and Windows' code page 932, and the engine, each with its tests;
# settings and the command line follow once they stand without QtCore.

# PCRE2 (16-bit, static) as scripts/windows.sh builds it from Debian's source package.
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
  brevlin_win_test(platform_win_tests
    tests/platform/CodePageTest.cpp
    tests/platform/RegFileTest.cpp
    tests/platform/win/WinRegistryStoreTest.cpp)
  target_link_libraries(platform_win_tests PRIVATE brevlin_platform)
  file(GLOB engine_test_sources ${PROJECT_SOURCE_DIR}/tests/engine/*.cpp)
  brevlin_win_test(engine_win_tests ${engine_test_sources})
  target_link_libraries(engine_win_tests PRIVATE brevlin_engine)
  # The differential test is ten times slower under Wine; the Linux legs run the full count.
  set_tests_properties(engine_win_tests PROPERTIES ENVIRONMENT BREVLIN_DIFF_CASES=300)
endif()
