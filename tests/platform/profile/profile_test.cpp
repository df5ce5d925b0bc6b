// Tests of the profile unit.
