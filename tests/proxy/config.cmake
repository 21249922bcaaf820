# Tests of config.ini reading and writing.
vendrake_add_gtest(config_file_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/config_file_test.cpp)
vendrake_add_gtest(config_large_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/config_large_test.cpp)
