# Sources: form encoding, page scanner, answer rules, results file.
target_sources(vendrake_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/form_encoding.cpp
    ${CMAKE_CURRENT_LIST_DIR}/page_scanner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/answer_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/results_file.cpp)
