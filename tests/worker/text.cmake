# Tests of the text processing.
vendrake_add_gtest(form_encoding_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/form_encoding_test.cpp)
vendrake_add_gtest(page_scanner_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/page_scanner_test.cpp)
vendrake_add_gtest(answer_rules_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/answer_rules_test.cpp)
vendrake_add_gtest(results_file_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/results_file_test.cpp)
