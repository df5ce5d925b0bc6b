// Tests of the numbers unit.
