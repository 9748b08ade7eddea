# Cross-compiles Marvok and its tests for 64-bit Windows; the tests run under Wine.
# The windows link the static Qt kit that scripts/qt-kit.sh builds: MARVOK_QT_KIT (a cache variable
# or the environment) names its folder; the host's Qt of the same version provides moc, rcc and uic.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
if(NOT MARVOK_QT_KIT AND DEFINED ENV{MARVOK_QT_KIT})
    set(MARVOK_QT_KIT "$ENV{MARVOK_QT_KIT}")
endif()
if(MARVOK_QT_KIT)
    list(APPEND CMAKE_FIND_ROOT_PATH "${MARVOK_QT_KIT}")
    list(APPEND CMAKE_PREFIX_PATH "${MARVOK_QT_KIT}")
    set(QT_HOST_PATH /usr)
    set(Qt6HostInfo_DIR /usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo)
endif()
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
# The program a player drops into the game folder carries no symbols.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
# -O2 rather than -O3: GCC 12 warns falsely about std::string concatenation at -O3 (-Wrestrict,
# GCC bug 105651), which -Werror would turn into a failed build.
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
