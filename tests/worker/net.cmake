# Tests of the network side (stand-in register, real proxy).
