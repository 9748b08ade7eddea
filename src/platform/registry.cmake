# The registry: advapi32 on Windows, Wine's registry files elsewhere (their reader and writer are
# built on both).
target_sources(marvok_core PRIVATE
    Registry.h
    FileRegistry.cpp FileRegistry.h
    WineRegistryFile.cpp WineRegistryFile.h)
if(WIN32)
    target_sources(marvok_core PRIVATE win32/Win32Registry.cpp)
    target_link_libraries(marvok_core PUBLIC advapi32)
else()
    target_sources(marvok_core PRIVATE
        posix/PosixRegistry.cpp
        posix/WineServer.cpp
        posix/WineServer.h)
endif()
