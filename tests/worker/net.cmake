# Tests of the network side (stand-in register, real proxy).
set(VENDRAKE_STANDIN_SUPPORT ${PROJECT_SOURCE_DIR}/tests/support/standin.cpp)
vendrake_add_gtest(worker_rules_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/worker_rules_test.cpp ${VENDRAKE_STANDIN_SUPPORT}
    LABELS threads)
vendrake_add_gtest(exchange_limits_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/exchange_limits_test.cpp ${VENDRAKE_STANDIN_SUPPORT}
    LABELS threads)
vendrake_add_gtest(worker_shutdown_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/worker_shutdown_test.cpp ${VENDRAKE_STANDIN_SUPPORT}
    LABELS threads)
vendrake_add_gtest(proxy_tinyproxy_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/proxy_tinyproxy_test.cpp ${VENDRAKE_STANDIN_SUPPORT}
    LABELS threads)
vendrake_add_gtest(probe_connect_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/probe_connect_test.cpp ${VENDRAKE_STANDIN_SUPPORT})
vendrake_add_gtest(batch_queue_order_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/batch_queue_order_test.cpp ${VENDRAKE_STANDIN_SUPPORT}
    LABELS threads)
vendrake_add_gtest(query_error_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/query_error_test.cpp)
vendrake_add_gtest(standin_modes_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/standin_modes_test.cpp ${VENDRAKE_STANDIN_SUPPORT})
