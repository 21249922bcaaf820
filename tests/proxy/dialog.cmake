# Tests of the proxy dialog.
