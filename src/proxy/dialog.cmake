# proxy_form.cpp -> vendrake_gui
target_sources(vendrake_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/proxy_form.cpp)
