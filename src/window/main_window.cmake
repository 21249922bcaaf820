# TForm1 and what it alone uses -> vendrake_gui
target_sources(vendrake_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/message_box.cpp)
