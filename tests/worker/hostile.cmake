# Hostile and broken servers: stalls, drips, resets, loops, bad bodies, huge answers,
# odd cookies, 100,000-row pages.
vendrake_add_gtest(hostile_worker_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/hostile_worker_test.cpp
            ${PROJECT_SOURCE_DIR}/tests/support/standin.cpp
    LABELS threads)
vendrake_add_gtest(hostile_rows_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/hostile_rows_test.cpp
            ${PROJECT_SOURCE_DIR}/tests/support/standin.cpp
    LABELS threads)
vendrake_add_gtest(hostile_body_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/hostile_body_test.cpp
    LIBS ZLIB::ZLIB)
