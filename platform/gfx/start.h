// The start of a program that draws but shows no window (the page library's own programs): the
// graphic layer's application, made once.
#pragma once

namespace gfx {

// Tells whether a display could be opened, and makes the graphic layer's application when none
// runs yet. Without a display the program says so under its own name and false comes back; a
// display that cannot be opened is said so too, and ends the program with code 1.
bool StartGraphics(int& argc, char** argv);

}  // namespace gfx
