# Tests of vendrake-batch.
vendrake_add_gtest(batch_tool_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/batch_tool_test.cpp
            ${PROJECT_SOURCE_DIR}/tests/support/standin.cpp
    LABELS threads)
add_dependencies(batch_tool_test vendrake-batch)
