# The main window's core: its events and the file commands.
target_sources(marvok_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FileCommands.cpp ${CMAKE_CURRENT_LIST_DIR}/FileCommands.h
    ${CMAKE_CURRENT_LIST_DIR}/MainWindowEvents.cpp ${CMAKE_CURRENT_LIST_DIR}/MainWindowEvents.h)
