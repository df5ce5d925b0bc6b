// Writes the sample document examples/sample.qorvex and its picture logo.png: a one-page
// registration form with an object of every kind. Built by the target `sample`; the files it
// writes are kept in the repository.
#include <cstdlib>
#include <cstring>
#include <string>

#include "objects/admin_controls_dialog.h"
#include "objects/arrow_dialog.h"
#include "objects/corner_marks_dialog.h"
#include "objects/month_calendar_dialog.h"
#include "objects/shape_dialog.h"
#include "objects/text_properties.h"
#include "page/admin_controls.h"
#include "page/document_file.h"
#include "page/drawers.h"
#include "page/month_calendar.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"
#include "platform/ui/ui.h"

namespace {

template <size_t N>
void SetText(char (&field)[N], const std::string& text) {
  std::strncpy(field, text.c_str(), N - 1);
  field[N - 1] = '\0';
}

PageObject& Add(int32_t kind, int x, int y) {
  ClearSlotForInsert(objectCount + 1);
  PageObject& o = pageObjects[++objectCount];
  o.kind = kind;
  o.x = x;
  o.y = y;
  return o;
}

void Text(int32_t kind, int x, int y, int w, int h, const std::string& text, const char* face,
          int points, int style, int16_t alignment, gfx::Colour fore) {
  PageObject& o = Add(kind, x, y);
  o.width = w;
  o.height = h;
  o.foreColor = fore;
  o.backColor = gfx::kTransparent;
  o.fontSize = static_cast<int16_t>(points);
  o.fontStyle = style;
  o.alignment = alignment;
  SetText(o.fontName, face);
  SetText(o.text, text);
}

// A box of the form, bound to the field of the sample database "Inscripciones" it holds.
void Admin(int16_t style, int x, int y, const std::string& label, const std::string& field,
           const std::string& fill = "") {
  currentAdminStyle = style;
  PageObject& o = Add(AdminObjectKind(style), x, y);
  StoreAdminSettings(o, MakeSystemFont("Arial", 10, 0));
  SetText(o.text, label);
  SetText(o.fillText, fill);
  SetText(o.databaseField, field);
}

void MakeLogo(const std::string& path) {
  gfx::Surface* logo = gfx::MakeBitmap(96, 96);
  gfx::SetPen(*logo, 3, gfx::kSolid);
  gfx::Ellipse(*logo, 4, 4, 91, 91, 0x804000, 0xF0C080, 0);
  gfx::Box(*logo, 28, 24, 68, 72, 10, 0x804000, gfx::kWhite, 0);
  gfx::SetPen(*logo, 1, gfx::kSolid);
  for (int y = 34; y <= 62; y += 7) gfx::Line(*logo, 34, y, 62, y, 0x404040);
  std::string error;
  gfx::SaveImage(*logo, path, error);
  gfx::ReleaseBitmap(logo);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (argc < 2 || !ui::StartApplication(argc, argv)) return 2;
  const std::string folder = std::string(argv[1]) + "/";
  // The built-in presets, without leaving a presets file beside the sample.
  const std::string scratch = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/";
  files::OverrideDataFolder(scratch);
  ui::testing::Begin();
  InitAdminStylePresets();
  AllocateStore();
  ResetPageRecord();
  objectCount = 1;
  MakePageBitmaps();
  MakeLogo(folder + "logo.png");

  // The picture is stored as a Windows path: it is found again beside the document.
  PageObject& logo = Add(kImage, 40, 30);
  logo.width = 96;
  logo.height = 96;
  logo.backColor = gfx::kWhite;
  SetText(logo.imagePath, "C:\\Veluna\\ejemplos\\logo.png");

  Text(kAlignedText, 150, 50, 600, 40, "SOLICITUD DE INSCRIPCI\xD3N", "Arial", 20, 1, 133, 0x800000);
  Text(kAlignedText, 150, 95, 600, 40,
       "Rellene el impreso con letras may\xFAsculas. Los campos marcados son obligatorios.",
       "Times New Roman", 11, 2, 133, 0x404040);

  cornerMarkText = "Registro de entrada";
  cornerMarkWidthMm = 60;
  cornerMarkHeightMm = 25;
  cornerMarkColour = 0x0000C0;
  cornerMarkShowText = cornerMarkShowCorners = 1;
  cornerMarkShowShadow = 0;
  StoreCornerMarkSettings(Add(kCornerMarks, 540, 150));

  Admin(1, 60, 180, "Nombre:", "Nombre");
  Admin(1, 60, 220, "Apellidos:", "Apellidos");
  Admin(3, 60, 260, "D.N.I.:", "DNI", "12345678Z");
  Admin(4, 60, 300, "C\xF3" "digo postal:", "CodigoPostal");
  Admin(5, 60, 340, "Domicilio:", "Domicilio");
  Admin(6, 60, 390, "Hombre", "Hombre");
  Admin(6, 200, 390, "Mujer", "Mujer");
  Admin(10, 60, 440, "Observaciones:", "Observaciones");
  // Filled by the sample script "Saludo" from the record the browser shows.
  Admin(10, 60, 500, "Saludo:", "@@Saludo");

  shapeTypeChosen = kShapeSquareOrRectangle;
  shapeRoundedCorners = 1;
  shapeRoundingPercent = 10;
  shapeFillStyle = 5;
  shapeLineStyle = 0;
  shapeLineWidth = 2;
  shapeBorderColour = 0x008000;
  shapeInteriorColour = 0xC0E0C0;
  shapeWidth = 300;
  shapeHeight = 120;
  StoreShapeSettings(Add(kSquareOrCircle, 440, 560));
  Text(kAlignedText, 450, 600, 280, 40, "Espacio reservado para la Administraci\xF3n", "Arial",
       10, 1, 133, 0x004000);

  currentArrowDirection = kArrowRight;
  currentArrowLength = 90;
  currentArrowHeads = 1;
  currentArrowLineWidth = 2;
  currentArrowColour = 0x0000C0;
  currentArrowHeadSize = 10;
  StoreArrowSettings(Add(kArrow, 330, 620));

  monthCalendarYear = 2026;
  monthCalendarMonth = 12;
  monthNamePosition = 2;
  monthColouredBackground = 1;
  monthBackColour = 0xF8F0E8;
  monthBorderColour = 0x800000;
  textFontName = "Arial";
  textFontSize = 10;
  PageObject& calendar = Add(kMonthCalendar, 60, 560);
  gfx::FontKey calendarFont = MonthCalendarInsertFont();
  DrawMonthCalendarAt(*pageBitmap, calendar.x, calendar.y, calendarFont, textFontSize);
  StoreMonthCalendarSettings(calendar, calendarFont);

  Text(kAngledText, 720, 1040, 12, 16, "ORIGINAL", "Arial", 14, 1, 0, 0x0000FF);
  pageObjects[objectCount].angle = 900;
  Text(kMathsCharacter, 60, 820, 12, 16, "S", "Symbol", 24, 0, 0, 0x800000);
  Text(kLineText, 100, 822, 12, 16,
       "Importe total = suma de los conceptos\r\nIVA incluido\r\nPago en una sola vez", "Arial",
       10, 0, 131, 0);
  Text(kMemoText, 60, 920, 680, 60,
       "Declaro que los datos de esta solicitud son ciertos y autorizo su uso para los fines del "
       "registro.",
       "Times New Roman", 10, 0, 134, 0);
  Text(kAlignedText, 440, 1000, 300, 20, "Firma:", "Arial", 10, 1, 131, 0);

  documentPath = folder + "sample.qorvex";
  return SaveDocument().empty() ? 0 : 1;
}
