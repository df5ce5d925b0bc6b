// Tests of the gfx unit.
