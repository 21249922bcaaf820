# Tests of the main window.
set(_window_support
    ${CMAKE_CURRENT_LIST_DIR}/main_window_support.cpp)

vendrake_add_gtest(register_numbers_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/register_numbers_test.cpp
            ${PROJECT_SOURCE_DIR}/src/window/register_numbers.cpp)

vendrake_add_qtest(main_window_startup_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_window_startup_test.cpp ${_window_support})

vendrake_add_qtest(main_window_entry_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_window_entry_test.cpp ${_window_support})

vendrake_add_qtest(main_window_search_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_window_search_test.cpp ${_window_support}
            ${PROJECT_SOURCE_DIR}/tests/support/standin.cpp
    LABELS threads)

# Not a test: the program tools/screenshot.sh runs under Xvfb for docs/screenshot.png.
add_executable(main_window_screenshot
    ${CMAKE_CURRENT_LIST_DIR}/main_window_screenshot.cpp ${_window_support}
    ${PROJECT_SOURCE_DIR}/tests/support/standin.cpp)
target_link_libraries(main_window_screenshot PRIVATE vendrake_gui Qt6::Test)
target_include_directories(main_window_screenshot PRIVATE ${PROJECT_SOURCE_DIR}/tests)
_vendrake_test_common(main_window_screenshot)
