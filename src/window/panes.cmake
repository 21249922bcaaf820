# Translated pane, tree transfer, copying, export -> vendrake_gui
