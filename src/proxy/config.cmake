# config_file.cpp -> vendrake_core
