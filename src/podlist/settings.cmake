# The settings window's rules and the folder chooser's port.
target_sources(marvok_core PRIVATE
    PathOptions.cpp PathOptions.h
    ${CMAKE_CURRENT_SOURCE_DIR}/../shell/FolderBrowser.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/../shell/FolderBrowser.h
    ${CMAKE_CURRENT_SOURCE_DIR}/../shell/FontDialog.h)
