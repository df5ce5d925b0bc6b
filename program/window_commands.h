// What both programs' main windows do alike: the page they start with, the document read
// from the command line or chosen in the document dialog, "Grabar Documento" and "Resetear
// Rellenos".
#pragma once
#include <cstdint>

#include "page/document_file.h"
#include "platform/ui/ui.h"

// A reader of the document file named by documentPath into the store: LoadDocument, or the
// older format's. Its report is shown as soon as it returns.
using DocumentReader = DocumentReport (*)();

// The main window's start, after the settings are read: the mouse modes (left as given, right
// capturing colours), no rulers or guides, an empty page with its background on the canvas,
// the administrative-control presets, the current style, slot, guards and paint mode as
// every run starts, and the window's messages let through while the object clipboard works.
void StartPageWindow(int32_t leftMode);
// A fresh page: an empty store, new bitmaps with the page background, the view at the top.
void StartEmptyPage();

// The file name of documentPath as the window's title.
void SetDocumentTitle(ui::Window window);

// The document named on the command line, quotes removed, when it exists: read, titled and
// painted. The path is taken whole, however long, so a long one never names another file.
void ReadCommandLineDocument(ui::Window window, DocumentReader read);
// Asks for a document and reads it. A document read becomes the title; one refused keeps the
// page, documentPath and the title as they were. False when the dialog was cancelled.
bool ReadChosenDocument(ui::Window window, DocumentReader read);
// "Grabar Documento": asks for the file, asks before overwriting one, and saves the page over
// it only once the new file is whole. True when saved; a failure is shown.
bool SaveDocumentAs(ui::Window window);
// "Resetear Rellenos": every administrative control's fill text emptied and every option
// cell unmarked, then the page repainted.
void ResetFilledValues();
