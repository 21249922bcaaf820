# vendrake-batch under load, and with a results file it cannot write.
vendrake_add_gtest(batch_load_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/batch_load_test.cpp
            ${PROJECT_SOURCE_DIR}/tests/support/standin.cpp
    LABELS threads)
add_dependencies(batch_load_test vendrake-batch)
