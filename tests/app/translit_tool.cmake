# Tests of vendrake-translit.
