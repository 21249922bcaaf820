# Tests of config.ini reading and writing.
