# Special folders and shortcut files.
target_sources(marvok_core PRIVATE ShellFolders.h ShellLink.h ShellLink.cpp)
if(WIN32)
    target_sources(marvok_core PRIVATE
        win32/Win32ShellFolders.cpp
        win32/Win32Shortcuts.cpp)
    target_link_libraries(marvok_core PUBLIC ole32 uuid shell32)
else()
    target_sources(marvok_core PRIVATE
        posix/DesktopEntry.cpp posix/DesktopEntry.h
        posix/DesktopShortcuts.cpp
        posix/XdgShellFolders.cpp posix/XdgShellFolders.h)
endif()
