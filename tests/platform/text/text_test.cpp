// Tests of the text unit.
