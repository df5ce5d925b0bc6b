// Tests of the ui unit.
