# The main window under load: 200 lookups at once and bursts of "Find".
vendrake_add_qtest(load_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/load_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/main_window_support.cpp
            ${PROJECT_SOURCE_DIR}/tests/support/standin.cpp
    LABELS threads)
