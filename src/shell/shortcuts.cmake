# Special folders, shortcut files and the program's own shortcuts.
target_sources(marvok_core PRIVATE
    cShortcut.cpp cShortcut.h
    mShortcutsPlus.cpp mShortcutsPlus.h
    mSpecialFolders.cpp mSpecialFolders.h)
