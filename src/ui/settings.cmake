# The settings window, the Fonts & things window and the dialogs behind their ports.
target_sources(marvok_ui PRIVATE
    formDirectories.cpp formDirectories.h
    formMonster.cpp formMonster.h
    QtFolderBrowser.cpp QtFolderBrowser.h
    QtFontDialog.cpp QtFontDialog.h)
