// Tests of the print unit.
