// The object clipboard: up to 15 whole copies of page objects, kept across "Nuevo" and
// document reads so objects can travel between documents; and the deletion of one object.
#pragma once

// Command 1085: 15 empty entries, none filled.
void ClearObjectClipboard();
// Copies the object of slot currentObjectIndex into the next entry; a full clipboard ignores
// it. The caller shows the count.
void CopyCurrentObjectToClipboard();
// Appends every copy to the page while the store has room and says how many went in. Each
// pasted object gets its own image and font.
void PasteCopiedObjects();
// Empties slot currentObjectIndex (its image released); objectCount stays.
void DeleteCurrentObject();
