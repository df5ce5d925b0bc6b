// Tests of the files unit.
