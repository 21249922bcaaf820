# proxy_form.cpp -> vendrake_gui
