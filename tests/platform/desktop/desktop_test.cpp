// Tests of the desktop unit.
