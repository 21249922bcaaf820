# Tests of the translated pane, copying and export.
