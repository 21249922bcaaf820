# Tests of vendrake-translit.
vendrake_add_gtest(translit_tool_test
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/translit_tool_test.cpp
    LABELS translit)
add_dependencies(translit_tool_test vendrake-translit)
