# Translated pane, tree transfer, copying, export -> vendrake_gui
target_sources(vendrake_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/translated_pane.cpp
    ${CMAKE_CURRENT_LIST_DIR}/detail_copy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/csv_export.cpp)
