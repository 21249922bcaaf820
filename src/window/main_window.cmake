# TForm1 and what it alone uses -> vendrake_gui
target_sources(vendrake_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/application.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image_list.cpp
    ${CMAKE_CURRENT_LIST_DIR}/key_filters.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_window_layout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_window_startup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/message_box.cpp
    ${CMAKE_CURRENT_LIST_DIR}/query_entry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/regions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/register_numbers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/results_view.cpp
    ${CMAKE_CURRENT_LIST_DIR}/search_dispatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_sink.cpp)
