# Tests of the translated pane, copying and export.
vendrake_add_qtest(translated_pane_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/translated_pane_test.cpp
    LABELS window)
vendrake_add_qtest(detail_copy_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/detail_copy_test.cpp
    LABELS window)
vendrake_add_gtest(csv_export_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/csv_export_test.cpp
    LIBS vendrake_gui
    LABELS window)
