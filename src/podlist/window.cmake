# The main window's core: its events, the file commands, the layout and the desktop port.
target_sources(marvok_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Desktop.h
    ${CMAKE_CURRENT_LIST_DIR}/FileCommands.cpp ${CMAKE_CURRENT_LIST_DIR}/FileCommands.h
    ${CMAKE_CURRENT_LIST_DIR}/MainWindowEvents.cpp ${CMAKE_CURRENT_LIST_DIR}/MainWindowEvents.h
    ${CMAKE_CURRENT_LIST_DIR}/../platform/GameLaunch.h)
if(WIN32)
    target_sources(marvok_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../platform/win32/GameLaunch.cpp)
else()
    target_sources(marvok_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../platform/posix/GameLaunch.cpp)
endif()
