# The registry: advapi32 on Windows, Wine's registry files elsewhere.
target_sources(marvok_core PRIVATE Registry.h)
if(WIN32)
    target_sources(marvok_core PRIVATE win32/Win32Registry.cpp)
    target_link_libraries(marvok_core PUBLIC advapi32)
else()
    target_sources(marvok_core PRIVATE
        posix/PosixRegistry.cpp
        posix/WineServer.cpp
        posix/WineServer.h)
endif()
