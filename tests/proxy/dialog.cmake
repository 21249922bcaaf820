# Tests of the proxy dialog.
vendrake_add_qtest(proxy_form_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/proxy_form_test.cpp
    LABELS proxy window)
