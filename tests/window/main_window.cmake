# Tests of the main window.
