// Built against the page library and the platform alone, so that any dialog, main window or
// database code creeping into the page library fails to link. It writes a document of one
// square, reads it back and paints its page into a bitmap, probing a pixel inside the square;
// then it reads and paints the document named on the command line. A message reported or a
// wrong pixel makes it fail. It starts the graphic layer alone, with no widgets.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "page/document_file.h"
#include "page/drawers.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"
#include "platform/gfx/gfx.h"
#include "platform/gfx/start.h"

namespace {

constexpr gfx::Colour kBlue = 0xFF0000;

bool Fail(const std::string& what) {
  std::fprintf(stderr, "page_link_check: %s\n", what.c_str());
  return false;
}

// A document that reads whole has nothing to report.
bool NoMessage(const std::string& message) {
  return message.empty() || Fail("message reported: " + message);
}

bool ReadAndPaint(const std::string& path) {
  documentPath = path;
  const DocumentReport report = LoadDocument();
  if (!report.done || !NoMessage(report.message)) return Fail("could not read " + path);
  MakePageBitmaps();
  ClearGraphicTarget(*pageBitmap);
  PaintAllObjects(*pageBitmap, 0);
  DrawPageBackground(*pageBitmap, 1);
  return true;
}

bool CheckOwnDocument(const std::string& folder) {
  AllocateStore();
  ResetPageRecord();
  objectCount = 2;
  PageObject& square = pageObjects[2];
  square.kind = kSquareOrCircle;
  square.x = 100;
  square.y = 200;
  square.width = 50;
  square.height = 50;
  square.shapeType = kShapeSquareOrRectangle;
  square.lineWidth = 1;
  square.borderColor = gfx::kBlack;
  square.backColor = kBlue;
  documentPath = folder + "square.qorvex";
  if (const std::string error = SaveDocument(); !error.empty())
    return Fail("could not write " + documentPath + ": " + error);
  AllocateStore();
  objectCount = 1;
  if (!ReadAndPaint(documentPath)) return false;
  if (objectCount != 2)
    return Fail("the document read back holds " + std::to_string(objectCount - 1) + " objects");
  if (gfx::Pixel(*pageBitmap, 125, 225) != kBlue) return Fail("the square's inside is not blue");
  if (gfx::Pixel(*pageBitmap, 300, 300) != gfx::kWhite)
    return Fail("the page around it is not white");
  return true;
}

// A document of many objects leaves ink on its page.
bool CheckNamedDocument(const std::string& path) {
  if (!ReadAndPaint(path)) return false;
  int inked = 0;
  for (int y = 0; y < gfx::Height(*pageBitmap); y += 3)
    for (int x = 0; x < gfx::Width(*pageBitmap); x += 3)
      inked += gfx::Pixel(*pageBitmap, x, y) != gfx::kWhite;
  if (inked < 1000) return Fail(path + " paints almost nothing");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (!gfx::StartGraphics(argc, argv)) return 1;
  std::string pattern =
      (std::filesystem::temp_directory_path() / "page-link-check-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return Fail("no temporary folder"), 1;
  const std::string folder = pattern + "/";
  files::OverrideDataFolder(folder);
  const bool passed = CheckOwnDocument(folder) && (argc < 2 || CheckNamedDocument(argv[1]));
  ReleasePageBitmaps();
  std::filesystem::remove_all(folder);
  if (passed) std::printf("page_link_check: the page library reads and paints a document alone\n");
  return passed ? 0 : 1;
}
