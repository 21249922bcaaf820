# Sources: HTTP exchange, worker threads, batch queue, probe.
target_sources(vendrake_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/http_session.cpp
    ${CMAKE_CURRENT_LIST_DIR}/body_decoder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/worker_registry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/thread_checkers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/batch_queue.cpp
    ${CMAKE_CURRENT_LIST_DIR}/probe.cpp
    ${CMAKE_CURRENT_LIST_DIR}/query_error.cpp)
