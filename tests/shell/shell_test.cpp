// Tests of the designer shell.
