# Cross-building for 64-bit Windows with Debian's mingw-w64 (the POSIX thread model, which
# std::thread and std::mutex need). Programs run through Wine for the tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# No interprocedural register allocation: with it GCC lets a caller keep values in registers
# that its own copy of an inline or template function leaves alone, but in a static link the
# linker keeps one copy of each, maybe another library's, which may use them (static Qt's
# random numbers crashed so, after a copy of std::mt19937 from the project was kept).
# An option rather than initial flags, which a build given its own CMAKE_CXX_FLAGS (Qt's)
# would not see.
add_compile_options(-fno-ipa-ra)
# One self-contained .exe each: no MinGW DLLs to find under Wine or on a user's machine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
find_program(BREVLIN_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(BREVLIN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BREVLIN_WINE})
endif()
