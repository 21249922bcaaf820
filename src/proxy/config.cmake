# config_file.cpp -> vendrake_core
target_sources(vendrake_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/config_file.cpp)
