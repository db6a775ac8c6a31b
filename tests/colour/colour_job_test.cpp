// Written with the part it tests.
