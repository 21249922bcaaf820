# Tests of the text processing.
