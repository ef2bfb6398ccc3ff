# The Windows build: what needs no Qt (Debian ships no Qt for Windows). For now the platform
# layer on the real registry and Windows' code page 932, with its tests; the engine, settings
# and the command line follow once they stand without QtCore.
add_subdirectory(src/platform)
if(BREVLIN_BUILD_TESTS)
  enable_testing()
  # googletest from Debian's source package of it, built with the cross compiler.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  add_executable(platform_win_tests
    tests/platform/CodePageTest.cpp
    tests/platform/RegFileTest.cpp
    tests/platform/win/WinRegistryStoreTest.cpp)
  target_link_libraries(platform_win_tests PRIVATE brevlin_platform gtest gtest_main)
  brevlin_warnings(platform_win_tests)
  add_test(NAME platform_win_tests COMMAND platform_win_tests)
endif()
