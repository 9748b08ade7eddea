# Windows-only core tests, built into marvok_core_tests (included from tests/core/CMakeLists.txt).
target_sources(marvok_core_tests PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ProcessTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SettingsStoreTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Win32FileSystemTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WineShortNameTest.cpp)

# A second program for what only a separate process shows: the command line Windows hands it and
# the lock another instance holds.
add_executable(marvok_win32_probe ${CMAKE_CURRENT_LIST_DIR}/ProbeMain.cpp)
target_link_libraries(marvok_win32_probe PRIVATE marvok_core marvok_options)
add_dependencies(marvok_core_tests marvok_win32_probe)
