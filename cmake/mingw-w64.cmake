# Cross-compiles the core and its tests for 64-bit Windows; the tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Debian keeps wine64 out of PATH and runs it through its "wine" launcher.
find_program(MARVOK_WINE NAMES wine64 wine)
if(MARVOK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${MARVOK_WINE})
else()
    set(CMAKE_CROSSCOMPILING_EMULATOR wine)
endif()
# Self-contained executables: Wine then needs no MinGW runtime DLLs on its path.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# -O2 rather than -O3: GCC 12 warns falsely about std::string concatenation at -O3 (-Wrestrict,
# GCC bug 105651), which -Werror would turn into a failed build.
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
