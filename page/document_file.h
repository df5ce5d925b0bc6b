// The document file (.qorvex): the live page objects as a plain sequence of PageObject
// records of 2086 bytes, in slot order, with no header. An empty file is an empty page.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "page/page_object.h"

constexpr int kDocumentRecordLength = static_cast<int>(sizeof(PageObject));
// The most records a document may hold: a full store (slots 2 to 500).
constexpr int kMaxDocumentRecords = 499;

// Called by LoadDocument right after the store is made anew, before the records are copied
// in; the main window sets it to make the page and canvas bitmaps anew.
extern std::function<void()> onDocumentStoreReplaced;

// The folder the document, line-text and PDF file dialogs open in; follows the last path
// passed in or chosen.
extern std::string lastDocumentFolder;

// The text after the path's last "\" or "/" (the whole path when it has none): the title.
std::string SplitDocumentPath(std::string_view path);

// Writes the live objects of the store to documentPath, replacing the old file only once the
// new one is whole; a page with no live objects removes the file. Returns "" when saved, and
// the "Err: ..." text of a failure, which leaves the old file.
std::string SaveDocument();
// Adds one record to the save in progress.
void AppendObjectRecord(const PageObject& record);

// What a read of a document gives: whether the store holds it now, and the one message to
// show, if any: the refusal of a document not read (the store as it was), or the pictures a
// document read lacks.
struct DocumentReport {
  bool done = false;
  std::string message;
};

// Reads documentPath into the store (objectCount = records + 1, slot 1 all zero) and rebuilds
// the run-time handles. A refusal leaves the store as it was.
DocumentReport LoadDocument();

// How one record of a document file, `recordLength` bytes, becomes the zeroed slot `into`.
using RecordDecoder = void (*)(std::string_view record, PageObject& into);
// LoadDocument for a file of records of any length: a length that is not a whole number of
// records, or more records than the store holds, is refused; the file is read whole before
// the store is replaced, and every record is decoded and then bounded as LoadDocument bounds
// its own.
DocumentReport LoadDocumentRecords(int recordLength, RecordDecoder decode);
// New fonts for the texts (kinds 3 and 4) and images loaded anew (kind 1), slots 2 to
// objectCount. The images that give no picture keep their objects, paths and sizes; returns
// the one message that lists them (the first 20 paths, one a line, then how many more), or
// "" when every image was read.
std::string RestoreObjectResources();
// The run-time resources of one object made anew from its stored fields. An image that gives
// no picture keeps its object without one; returns the refusal that names its path, or "".
std::string RestoreResourcesOf(PageObject& object);

// Forgets the hook and the folder of the dialogs, as before the run.
void ResetDocumentFileState();
