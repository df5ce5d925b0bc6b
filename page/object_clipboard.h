// The object clipboard: up to 15 whole copies of page objects, kept across "Nuevo" and
// document reads so objects can travel between documents; and the deletion of one object.
#pragma once
#include <string>
#include <vector>

// Lets the window's pending messages through while the clipboard works, as the program sets it
// (nullptr: none are let through).
extern void (*pendingMessagesPump)();

// Command 1085: 15 empty entries, none filled.
void ClearObjectClipboard();
// Copies the object of slot currentObjectIndex into the next entry; a full clipboard ignores
// it. The caller shows the count.
void CopyCurrentObjectToClipboard();
// Appends every copy to the page while the store has room. Each pasted object gets its own
// image and font. Returns the messages to show, in order: the refusal of each image that gave
// no picture, then how many copies went in; none when the clipboard is empty.
std::vector<std::string> PasteCopiedObjects();
// Empties slot currentObjectIndex (its image released); objectCount stays.
void DeleteCurrentObject();
