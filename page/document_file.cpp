#include "page/document_file.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <utility>

#include "page/admin_controls.h"
#include "page/images.h"
#include "page/page_store.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/files/files.h"
#include "platform/gfx/gfx.h"

// Records go to and from the file as the bytes of the packed struct.
static_assert(std::endian::native == std::endian::little,
              "the document file is little-endian and is written from memory as it stands");

std::function<void()> onDocumentStoreReplaced;
std::string lastDocumentFolder;

namespace {

// The save in progress, one record after another.
std::string documentWriteBuffer;

// A text field as a terminated text of its width: at most N-1 characters, zero after them.
template <size_t N>
void Reterminate(char (&field)[N]) {
  const size_t length = strnlen(field, N - 1);
  std::memset(field + length, 0, N - length);
}

template <typename T>
void Clamp(T& value, long long low, long long high) {
  value = static_cast<T>(std::clamp(static_cast<long long>(value), low, high));
}

// A record read from a file is taken as untrusted: texts bounded, run-time handles dropped, and
// the counts and sizes that drive the drawers' loops and pens held to what the dialogs can set.
// Everything else a dialog can write is kept as it was saved; the drawers cope with any value.
void SanitiseReadRecord(PageObject& o) {
  Reterminate(o.imagePath);
  Reterminate(o.fontName);
  Reterminate(o.text);
  Reterminate(o.fillText);
  Reterminate(o.fillFontName);
  Reterminate(o.databaseField);

  o.dragging = 0;
  o.bitmapHandle = 0;
  o.fontHandle = 0;

  // Objects of other kinds hold 0 here; only a shape draws with it.
  Clamp(o.lineWidth, o.kind == kSquareOrCircle ? 1 : 0, 15);
  Clamp(o.arrowLineWidth, 0, 100);
  Clamp(o.cellCount, 0, kAdminMaxCellCount);
  Clamp(o.cellSpacing, 0, kAdminMaxSize);
  Clamp(o.cellWidth, 0, kAdminMaxSize);
  Clamp(o.penWidth, 0, kAdminMaxPenWidth);
  Clamp(o.adminStyle, 0, 10);
}

// The fonts of the texts, made anew.
void RestoreFontOf(PageObject& object) {
  if (object.kind == kAlignedText || (object.kind == kAngledText && object.angle == 0))
    object.fontHandle =
        MakeSystemFont(FixedFieldText(object.fontName), object.fontSize, object.fontStyle, 0, 0);
  else if (object.kind == kAngledText)
    object.fontHandle = MakeSystemFont(FixedFieldText(object.fontName), object.fontSize,
                                       object.fontStyle, 1, object.angle);
}

// Where the image of an object is looked for: its path, or beside the document when the path
// names another machine's file.
std::string ImageFileOf(const PageObject& object) {
  return files::LocalPath(FixedFieldText(object.imagePath), files::FolderOf(documentPath));
}

// The images of a document that gave no picture, told together once the document is read.
constexpr int kUnreadImagesListed = 20;

struct UnreadImages {
  int count = 0;
  std::string listed;   // the first kUnreadImagesListed, one a line

  void Add(const PageObject& object, ImageFault fault) {
    if (++count > kUnreadImagesListed) return;
    listed += "\r\n" + std::string(FixedFieldText(object.imagePath)) +
              (fault == ImageFault::kMissing ? " (no existe)" : " (no se puede leer)");
  }

  std::string Text() const {
    if (count == 0) return "";
    const bool one = count == 1;
    std::string text = "No puedo leer " + std::to_string(count) +
                       (one ? " imagen" : " im\xE1genes") + " del documento ...\r\n" +
                       (one ? "Su objeto sigue" : "Sus objetos siguen") +
                       " en la p\xE1gina con su ruta y su tama\xF1o, sin imagen:" + listed;
    if (count > kUnreadImagesListed)
      text += "\r\n... y " + std::to_string(count - kUnreadImagesListed) + " m\xE1s";
    return text;
  }
};

}  // namespace

std::string SplitDocumentPath(std::string_view path) {
  const size_t separator = path.find_last_of("\\/");
  return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

void AppendObjectRecord(const PageObject& record) {
  documentWriteBuffer.append(reinterpret_cast<const char*>(&record), sizeof record);
}

std::string SaveDocument() {
  documentWriteBuffer.clear();
  for (int slot = 2; slot <= objectCount && slot < kStoreSlots; ++slot)
    if (pageObjects[slot].kind > 0) AppendObjectRecord(pageObjects[slot]);

  // A read-only document is overwritten all the same, as "normal" attributes allow.
  if (files::FileLength(documentPath) >= 0) files::SetNormalAttributes(documentPath);
  const int error = documentWriteBuffer.empty()
                        ? files::DeleteFile(documentPath)
                        : files::WriteAllAtomically(documentPath, documentWriteBuffer);
  documentWriteBuffer.clear();
  documentWriteBuffer.shrink_to_fit();
  return error != 0 ? files::ErrorText(error) : "";
}

DocumentReport LoadDocumentRecords(int recordLength, RecordDecoder decode) {
  // The refusal of a file of `length` bytes, "" when it may be read.
  const auto refusal = [recordLength](int64_t length) -> std::string {
    if (length % recordLength != 0) return "Fichero con formato desconocido !!!";
    if (length / recordLength > kMaxDocumentRecords)
      return "Fichero demasiado grande, temiendolo mucho NO puedo leer ...";
    return "";
  };

  // The length is judged before the reading, so a huge file is never read whole.
  const int64_t length = files::FileLength(documentPath);
  if (std::string refused = length >= 0 ? refusal(length) : ""; !refused.empty())
    return {false, std::move(refused)};
  std::string data;
  const int64_t bound = int64_t{kMaxDocumentRecords} * kDocumentRecordLength;
  if (const int error = files::ReadWholeFile(documentPath, bound, data); error != 0)
    return {false, FileRefusalText("No puedo leer el documento", documentPath, error)};
  // The file may have changed since it was measured.
  if (std::string refused = refusal(static_cast<int64_t>(data.size())); !refused.empty())
    return {false, std::move(refused)};

  const int records = static_cast<int>(data.size() / recordLength);
  objectCount = records + 1;
  AllocateStore();
  if (onDocumentStoreReplaced) onDocumentStoreReplaced();
  for (int k = 1; k <= records; ++k) {
    PageObject& slot = pageObjects[k + 1];
    decode(std::string_view(data).substr(static_cast<size_t>(k - 1) * recordLength, recordLength),
           slot);
    SanitiseReadRecord(slot);
  }
  // Pictures that cannot be read are told once for the whole document; the read goes on.
  return {true, RestoreObjectResources()};
}

DocumentReport LoadDocument() {
  return LoadDocumentRecords(kDocumentRecordLength, [](std::string_view record, PageObject& into) {
    std::memcpy(&into, record.data(), sizeof into);
  });
}

std::string RestoreResourcesOf(PageObject& object) {
  RestoreFontOf(object);
  // A missing or unreadable image leaves the object, its path and its size as they are,
  // without a picture.
  std::string refusal;
  if (object.kind == kImage) object.bitmapHandle = LoadImageFile(ImageFileOf(object), refusal);
  return refusal;
}

std::string RestoreObjectResources() {
  UnreadImages unread;
  for (int slot = 2; slot <= objectCount && slot < kStoreSlots; ++slot) {
    PageObject& object = pageObjects[slot];
    RestoreFontOf(object);
    if (object.kind != kImage) continue;
    ImageFault fault = ImageFault::kNone;
    std::string reason;
    object.bitmapHandle = LoadImageFileQuietly(ImageFileOf(object), fault, reason);
    if (fault != ImageFault::kNone) unread.Add(object, fault);
  }
  return unread.Text();
}

void ResetDocumentFileState() {
  onDocumentStoreReplaced = nullptr;
  lastDocumentFolder.clear();
}
const EnrolledStart enrolled(ResetDocumentFileState);
