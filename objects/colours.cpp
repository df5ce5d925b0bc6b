#include "objects/colours.h"

#include <cerrno>

#include "dialogs/dialog_skeleton.h"
#include "dialogs/messages.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/files/files.h"
#include "platform/ui/ui.h"

std::array<std::array<FavouriteColourRecord, kColourTableSide>, kColourTableSide> colourGrid{};
int32_t colourGridModified = 0;

namespace {

StartValues startValues(colourGrid, colourGridModified);

void ClearColourGrid() {
  for (auto& column : colourGrid) column.fill(FavouriteColourRecord{});
}

}  // namespace

std::string EncodeFavouriteColourRecord(const FavouriteColourRecord& r) {
  std::string out;
  out.reserve(kFavouriteRecordLength);
  PutLittleEndianField(out, static_cast<uint32_t>(r.left), 4);
  PutLittleEndianField(out, static_cast<uint32_t>(r.right), 4);
  PutLittleEndianField(out, static_cast<uint32_t>(r.top), 4);
  PutLittleEndianField(out, static_cast<uint32_t>(r.bottom), 4);
  PutLittleEndianField(out, static_cast<uint16_t>(r.column), 2);
  PutLittleEndianField(out, static_cast<uint16_t>(r.row), 2);
  PutLittleEndianField(out, static_cast<uint32_t>(r.colour), 4);
  return out;
}

FavouriteColourRecord DecodeFavouriteColourRecord(std::string_view bytes) {
  FavouriteColourRecord r;
  r.left = static_cast<int32_t>(LittleEndianField(bytes, 0, 4));
  r.right = static_cast<int32_t>(LittleEndianField(bytes, 4, 4));
  r.top = static_cast<int32_t>(LittleEndianField(bytes, 8, 4));
  r.bottom = static_cast<int32_t>(LittleEndianField(bytes, 12, 4));
  r.column = static_cast<int16_t>(LittleEndianField(bytes, 16, 2));
  r.row = static_cast<int16_t>(LittleEndianField(bytes, 18, 2));
  r.colour = static_cast<gfx::Colour>(LittleEndianField(bytes, 20, 4));
  return r;
}

std::string FavouriteColoursPath() { return files::DataFolder() + "Mis Colores.log"; }

void InitColourGrid(int columns, int rows, int originX, int originY) {
  ClearColourGrid();
  for (int c = 0; c < columns && c < kColourTableSide; ++c) {
    for (int r = 0; r < rows && r < kColourTableSide; ++r) {
      FavouriteColourRecord& cell = colourGrid[c][r];
      cell.left = kColourCell * c + originX;
      cell.right = kColourCell * (c + 1) + originX;
      cell.top = kColourCell * r + originY;
      cell.bottom = kColourCell * (r + 1) + originY;
      cell.column = static_cast<int16_t>(c);
      cell.row = static_cast<int16_t>(r);
      cell.colour = gfx::kWhite;
    }
  }
}

void DrawColourGrid(gfx::Surface& bitmap, int columns, int rows) {
  gfx::SetPen(bitmap, 1, gfx::kSolid);
  for (int r = 0; r < rows && r < kColourTableSide; ++r) {
    for (int c = 0; c < columns && c < kColourTableSide; ++c) {
      const FavouriteColourRecord& cell = colourGrid[c][r];
      gfx::Box(bitmap, cell.left + kColourGap, cell.top + kColourGap, cell.right, cell.bottom, 0,
               gfx::kBlack, cell.colour, 0);
    }
  }
}

int SaveFavouriteColours() {
  std::string bytes;
  for (int r = 0; r < kColourRows; ++r)
    for (int c = 0; c < kColourColumns; ++c) bytes += EncodeFavouriteColourRecord(colourGrid[c][r]);
  const std::string path = FavouriteColoursPath();
  files::SetNormalAttributes(path);
  // Written beside the old file and renamed over it: a failure keeps the old palette.
  const int error = files::WriteAllAtomically(path, bytes);
  if (error != 0) Tell(nullptr, files::ErrorText(error));
  return error;
}

std::string LoadFavouriteColours() {
  ClearColourGrid();
  files::RecordFile file;
  if (const int error = file.Open(FavouriteColoursPath(), kFavouriteRecordLength); error != 0)
    return error == ENOENT ? "" : FileRefusalText("No puedo leer mis colores", FavouriteColoursPath(), error);
  std::string all;
  const int64_t count = file.GetMany(1, kColourTableSide * kColourTableSide, all);
  for (int64_t n = 0; n < count; ++n) {
    FavouriteColourRecord r = DecodeFavouriteColourRecord(std::string_view(all).substr(n * kFavouriteRecordLength));
    if (r.column < 0 || r.column >= kColourColumns || r.row < 0 || r.row >= kColourRows) continue;
    // A rectangle far off any bitmap would overflow where the cell is drawn.
    const auto near = [](int32_t v) { return v >= INT16_MIN && v <= INT16_MAX; };
    if (!near(r.left) || !near(r.right) || !near(r.top) || !near(r.bottom)) continue;
    colourGrid[r.column][r.row] = r;
  }
  file.Close();
  return "";
}

void ResetColoursState() { startValues.Restore(); }
