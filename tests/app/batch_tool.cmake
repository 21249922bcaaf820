# Tests of vendrake-batch.
