// "Propiedades objetos": the object list, the fields each kind uses, what "Aplicar" writes,
// the swatches, copy and delete, and the main window given back when it closes.
#include "shell/object_properties.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <string>

#include "database/dialogs/database_commands.h"
#include "objects/colours.h"
#include "objects/text_properties.h"
#include "page/command_ids.h"
#include "page/object_clipboard.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "program/canvas.h"
#include "shell/main_window.h"
#include "tests/page/document_test.h"
#include "tests/shell/designer_window.h"
#include "tests/support/test_env.h"

namespace {

using pagetest::SampleRecord;
using ui::testing::Click;
using ui::testing::MessagesShown;
using ui::testing::TypeText;

using namespace properties_ids;
// Short names for the tables of fields.
constexpr int kList = kObjectList, kKind = kKindName, kW = kWidth, kH = kHeight;
constexpr int kTr = kTransparent, kAl = kAlignment, kPen = kPenWidth, kLabel = kLabelVisible;
constexpr int kCount = kCellCount, kSpacing = kCellSpacing, kShape = kOptionShape;
constexpr int kStrike = kStrikeOut, kDb = kDatabaseField, kCopied = kCopiedCount;

// Where two records differ, leaving out the font handle the painter makes anew on every pass.
long FirstDifference(PageObject a, PageObject b) {
  a.fontHandle = b.fontHandle = 0;
  return pagetest::FirstDifference(a, b);
}

constexpr const char* kAskDelete = "Esta seguro que quiere borrar el objeto actual ... ?";

class PropertiesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::testing::Begin();
    paperWidthMm = 210;
    paperHeightMm = 297;
    noMargins = 0;
    ambientColorOn = 0;
    rulerFlags = {};
    AllocateStore();
    ResetPageRecord();
    objectCount = 1;
    currentObjectIndex = 2;
    ClearObjectClipboard();
    pickedColour = -1;
    MakePageBitmaps();
  }
  void TearDown() override {
    if (dialog && ui::IsWindow(dialog)) ui::DestroyWindow(dialog);
    EXPECT_EQ(objectPropertiesDialog, nullptr);
    AllocateStore();
    ReleasePageBitmaps();
  }

  int Add(const PageObject& o) {
    pageObjects[++objectCount] = o;
    return objectCount;
  }
  void Open(int16_t current) {
    currentObjectIndex = current;
    dialog = ShowObjectPropertiesDialog(nullptr);
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(objectPropertiesDialog, dialog);
  }
  void Choose(int id, int line) { ui::testing::ChooseListItem(dialog, id, line); }

  ui::Window dialog = nullptr;
};

TEST_F(PropertiesTest, TheListShowsLiveObjectsAndChoosingOneMakesItCurrent) {
  Add(SampleRecord(kAlignedText, 1));
  Add(SampleRecord(kSquareOrCircle, 2));
  Add(SampleRecord(kAngledText, 3));
  Add(SampleRecord(kImage, 4));
  EmptySlot(4);
  pagetest::SetText(pageObjects[5].text, std::string(60, 'x'));
  Open(5);
  ASSERT_EQ(ui::ListCount(dialog, kList), 3);
  EXPECT_EQ(ui::ListText(dialog, kList, 0), "002 - Se\xF1or n\xBA 1 ...");
  EXPECT_EQ(ui::ListText(dialog, kList, 1).substr(0, 6), "003 - ");
  EXPECT_EQ(ui::ListText(dialog, kList, 2), "005 - " + std::string(40, 'x') + " ...");
  // The current object's line is the chosen one, though slot 4 has none.
  EXPECT_EQ(ui::ListSelection(dialog, kList), 2);
  EXPECT_EQ(ui::Text(dialog, kKind), "Imagen");

  Choose(kList, 1);
  EXPECT_EQ(currentObjectIndex, 3);
  EXPECT_EQ(ui::Text(dialog, kKind), "Cuadrados y Circulos");
  EXPECT_EQ(ui::Text(dialog, kX), "12");
  EXPECT_EQ(ui::Text(dialog, kW), "102");
  Choose(kList, 0);
  EXPECT_EQ(currentObjectIndex, 2);
  EXPECT_EQ(ui::Text(dialog, kText), "Se\xF1or n\xBA 1");
  EXPECT_EQ(ui::Text(dialog, kTr), "1 - s\xED");         // backColor -2
  EXPECT_EQ(ui::Text(dialog, kAl), "3 - Centro");        // 133
  EXPECT_EQ(ui::Text(dialog, kFace), "Times New Roman");
  EXPECT_EQ(ui::Text(dialog, kBold), "1 - s\xED");       // fontStyle 3
  EXPECT_EQ(ui::Text(dialog, kItalic), "1 - s\xED");
  EXPECT_EQ(ui::Text(dialog, kUnderline), "0 - no");
  EXPECT_EQ(ui::Text(dialog, kDb), "NOMBRE");
  // The page shows no outline while the window is open.
  EXPECT_EQ(gfx::Pixel(*pageBitmap, 0, 600), gfx::kWhite);
}

TEST_F(PropertiesTest, EachKindEnablesItsOwnFields) {
  struct Case {
    int32_t kind;
    int16_t style;
    std::vector<int> enabled, greyed;
  };
  const Case cases[] = {
      {kImage, 0, {kX, kY}, {kW, kH, kFontSize, kText, kBold, kDb}},
      {kMonthCalendar, 0, {kX, kY, kFontSize}, {kW, kTr, kFace}},
      {kAlignedText, 0, {kW, kTr, kAl, kFace, kText, kBold, kStrike}, {kAngle, kDb, kPen}},
      {kAngledText, 0, {kFontSize, kTr, kFace, kText, kAngle, kDb}, {kW, kH, kAl}},
      {kSquareOrCircle, 0, {kX, kW, kH}, {kFontSize, kText, kBold}},
      {kAdminControl, 1, {kCellWidth, kPen, kLabel, kDb}, {kCount, kSpacing, kTr, kShape}},
      {kAdminControl, 3, {kCount, kSpacing, kLabel}, {kTr, kShape}},
      {kAdminControl, 7, {kPen, kW}, {kCellWidth, kLabel}},
      {kAdminControl, 9, {kCellWidth, kPen}, {kW, kH, kLabel}},
      {kAdminControl, 10, {kCellWidth, kW}, {kPen, kLabel}},
      {kAdminOptionCell, 6, {kShape, kAl, kDb}, {kCellWidth, kPen, kLabel}},
      {kMathsCharacter, 0, {kW, kH, kFontSize, kFace, kText}, {kAngle, kDb, kTr, kAl}},
      {kCornerMarks, 0, {kW, kH, kFace, kText, kPen}, {kFontSize, kTr, kBold}},
      {kMemoText, 0, {kTr, kAl, kDb, kBold}, {kAngle, kPen}},
  };
  for (const Case& c : cases) {
    PageObject o = SampleRecord(c.kind, 1);
    o.adminStyle = c.style;
    Add(o);
  }
  Open(2);
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(std::to_string(c.kind) + " style " + std::to_string(c.style));
    Choose(kList, static_cast<int>(i));
    ASSERT_EQ(currentObjectIndex, static_cast<int>(i) + 2);
    for (int id : c.enabled) EXPECT_TRUE(ui::Enabled(dialog, id)) << id;
    for (int id : c.greyed) EXPECT_FALSE(ui::Enabled(dialog, id)) << id;
  }
}

TEST_F(PropertiesTest, AnArrowKeepsTheEnablingShownBeforeAndTakesNothing) {
  Add(SampleRecord(kImage, 1));
  const int arrow = Add(SampleRecord(kArrow, 2));
  const PageObject before = pageObjects[arrow];
  Open(2);
  Choose(kList, 1);
  EXPECT_EQ(ui::Text(dialog, kKind), "Flechas");
  EXPECT_TRUE(ui::Enabled(dialog, kX));
  EXPECT_FALSE(ui::Enabled(dialog, kW));   // as the image left it
  ui::SetText(dialog, kX, "500");
  Click(dialog, kApply);
  EXPECT_EQ(FirstDifference(pageObjects[arrow], before), -1);
}

TEST_F(PropertiesTest, ApplyWritesOnlyTheFieldsOfTheKind) {
  const int image = Add(SampleRecord(kImage, 1));
  const int text = Add(SampleRecord(kAlignedText, 2));
  const PageObject imageBefore = pageObjects[image], textBefore = pageObjects[text];
  Open(static_cast<int16_t>(image));
  ui::SetText(dialog, kX, "321");
  ui::SetText(dialog, kY, "-45");
  ui::SetText(dialog, kW, "999");        // greyed for an image, and not taken
  ui::SetText(dialog, kText, "otro");
  Click(dialog, kApply);
  PageObject expected = imageBefore;
  expected.x = 321;
  expected.y = -45;
  EXPECT_EQ(FirstDifference(pageObjects[image], expected), -1);
  EXPECT_EQ(FirstDifference(pageObjects[text], textBefore), -1);

  Choose(kList, 1);
  ui::SetText(dialog, kW, "250");
  ui::SetText(dialog, kH, "90");
  ui::SetText(dialog, kFontSize, "14");
  ui::SetText(dialog, kText, "Nuevo texto");
  ui::SetText(dialog, kAngle, "900");   // not a field of aligned texts
  Choose(kAl, 0);
  Choose(kFace, ui::ListSelectByPrefix(dialog, kFace, "Arial"));
  Choose(kUnderline, 1);
  Click(dialog, kApply);
  const PageObject& t = pageObjects[text];
  EXPECT_EQ(t.width, 250);
  EXPECT_EQ(t.height, 90);
  EXPECT_EQ(t.fontSize, 14);
  EXPECT_STREQ(t.text, "Nuevo texto");
  EXPECT_EQ(t.angle, textBefore.angle);
  EXPECT_EQ(t.alignment, 131);
  EXPECT_STREQ(t.fontName, "Arial");
  EXPECT_EQ(t.fontStyle, 1 | 2 | 4);
  EXPECT_EQ(gfx::FontOf(t.fontHandle).face, "Arial");
  EXPECT_EQ(gfx::FontOf(t.fontHandle).points, 14);
  // The list follows the new text.
  EXPECT_EQ(ui::ListText(dialog, kList, 1), "003 - Nuevo texto ...");
  EXPECT_EQ(ui::ListSelection(dialog, kList), 1);
}

TEST_F(PropertiesTest, CornerMarksShowMillimetres) {
  PageObject o = SampleRecord(kCornerMarks, 1);
  o.width = 276;
  o.height = 378;
  const int slot = Add(o);
  Open(static_cast<int16_t>(slot));
  EXPECT_EQ(ui::Text(dialog, kW), "73");
  EXPECT_EQ(ui::Text(dialog, kH), "100");
  EXPECT_EQ(ui::Text(dialog, kWidthLabel), "Ancho en mm");
  EXPECT_EQ(ui::Text(dialog, kHeightLabel), "Alto en mm");
  EXPECT_EQ(ui::Text(dialog, kBackSwatchLabel), "Color Esquinas");
  Click(dialog, kApply);
  EXPECT_EQ(pageObjects[slot].width, 276);
  EXPECT_EQ(pageObjects[slot].height, 378);
  ui::SetText(dialog, kW, "50.5");
  Click(dialog, kApply);
  EXPECT_EQ(pageObjects[slot].width, 191);   // 50.5 x 3.779527559, rounded

  // Another kind puts the pixel labels back.
  Add(SampleRecord(kSquareOrCircle, 2));
  Choose(kList, 1);
  EXPECT_EQ(ui::Text(dialog, kWidthLabel), "Ancho");
  EXPECT_EQ(ui::Text(dialog, kBackSwatchLabel), "Color Fondo Texto");
}

TEST_F(PropertiesTest, TransparencyAndStylesKeepWhatTheCombosDoNotSay) {
  struct Case {
    int32_t back;
    int choice;
    int32_t after;
  };
  const Case transparency[] = {{-2, 0, 0xFFFFFF}, {123, 0, 123}, {123, 1, -2}, {-2, 1, -2}};
  for (const Case& c : transparency) {
    PageObject o = SampleRecord(kAlignedText, 1);
    o.backColor = c.back;
    Add(o);
  }
  struct Style {
    int32_t before;
    int boldChoice;   // -1: left as shown
    int32_t after;
  };
  const Style styles[] = {{3, -1, 3}, {17, -1, 17}, {19, -1, 19}, {19, 0, 18}, {16, 1, 17}};
  for (const Style& s : styles) {
    PageObject o = SampleRecord(kMemoText, 2);
    o.fontStyle = s.before;
    Add(o);
  }
  Open(2);
  for (size_t i = 0; i < std::size(transparency); ++i) {
    SCOPED_TRACE(i);
    Choose(kList, static_cast<int>(i));
    Choose(kTr, transparency[i].choice);
    Click(dialog, kApply);
    EXPECT_EQ(pageObjects[i + 2].backColor, transparency[i].after);
  }
  for (size_t i = 0; i < std::size(styles); ++i) {
    SCOPED_TRACE(styles[i].before);
    const int slot = static_cast<int>(std::size(transparency) + i) + 2;
    Choose(kList, slot - 2);
    EXPECT_EQ(ui::Text(dialog, kBold).substr(0, 1), (styles[i].before & 1) ? "1" : "0");
    if (styles[i].boldChoice >= 0) Choose(kBold, styles[i].boldChoice);
    Click(dialog, kApply);
    EXPECT_EQ(pageObjects[slot].fontStyle, styles[i].after);
  }
}

TEST_F(PropertiesTest, TextsAreCutToTheirFieldsAndNumbersKeptInRange) {
  PageObject o = SampleRecord(kAdminControl, 1);
  o.adminStyle = 3;
  pagetest::SetText(o.fontName, "Fuente Que No Hay");
  const int slot = Add(o);
  Open(static_cast<int16_t>(slot));
  // A face this machine lacks is shown and written back as it was.
  EXPECT_EQ(ui::Text(dialog, kFace), "Fuente Que No Hay");
  ui::SetText(dialog, kText, std::string(1100, 'a'));
  ui::SetText(dialog, kDb, std::string(40, 'b'));
  ui::SetText(dialog, kFontSize, "99999");
  ui::SetText(dialog, kCount, "99999999999");
  ui::SetText(dialog, kSpacing, "70000");
  ui::SetText(dialog, kCellWidth, "-5");
  ui::SetText(dialog, kX, "abc");
  ui::SetText(dialog, kW, "1e12");
  Click(dialog, kApply);
  const PageObject& p = pageObjects[slot];
  EXPECT_EQ(std::string(p.text), std::string(1023, 'a'));
  EXPECT_EQ(std::string(p.databaseField), std::string(30, 'b'));
  EXPECT_STREQ(p.fontName, "Fuente Que No Hay");
  EXPECT_EQ(p.fontSize, 32767) << "as many points as the field holds";
  EXPECT_EQ(p.cellCount, 10000);
  EXPECT_EQ(p.cellSpacing, 10000);
  EXPECT_EQ(p.cellWidth, 0);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.width, 32767);
}

// Font sizes and angles are taken as typed, beyond what the size combos and a turn offer.
TEST_F(PropertiesTest, FontSizesAndAnglesAreWrittenAsTyped) {
  const int slot = Add(SampleRecord(kAngledText, 1));
  Open(static_cast<int16_t>(slot));
  ui::SetText(dialog, kFontSize, "250");
  ui::SetText(dialog, kAngle, "-45000");
  Click(dialog, kApply);
  EXPECT_EQ(pageObjects[slot].fontSize, 250);
  EXPECT_EQ(pageObjects[slot].angle, -45000);
  EXPECT_EQ(gfx::FontOf(pageObjects[slot].fontHandle).points, 250);
  EXPECT_EQ(ui::Text(dialog, kFontSize), "250");
}

// An image uses none of the text fields: every one of them is greyed, the face combo (drawn
// by the dialog itself) as the others, with nothing chosen in it.
TEST_F(PropertiesTest, GreyedEmptyFieldsLookGreyed) {
  const int slot = Add(SampleRecord(kImage, 1));
  pagetest::SetText(pageObjects[slot].fontName, "");
  pageObjects[slot].alignment = 0;
  Open(static_cast<int16_t>(slot));
  ASSERT_FALSE(ui::Enabled(dialog, kFace));
  ASSERT_EQ(ui::ListSelection(dialog, kFace), -1);
  ASSERT_EQ(ui::ListSelection(dialog, kAl), -1);
  const std::string png = testenv::NewFolder("grab") + "propiedades.png";
  ASSERT_TRUE(ui::testing::Grab(dialog, png));
  const QImage shot(QString::fromStdString(png));
  ASSERT_FALSE(shot.isNull());
  // The rows stand 22 pixels apart from y 44, the fields at x 178: "Alineamiento" is the
  // eighth row, "Fuente" the ninth.
  const QColor alignment = shot.pixelColor(178 + 96, 44 + 7 * 22 + 10);
  const QColor face = shot.pixelColor(178 + 96, 44 + 8 * 22 + 10);
  // The style shades its fields a little from top to bottom.
  const auto near = [](const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 &&
           std::abs(a.blue() - b.blue()) <= 8;
  };
  EXPECT_TRUE(near(face, alignment))
      << face.name().toStdString() << " " << alignment.name().toStdString();
  EXPECT_NE(face, QColor(Qt::white));
}

TEST_F(PropertiesTest, LinesOfALineTextSurviveApply) {
  PageObject o = SampleRecord(kLineText, 1);
  pagetest::SetText(o.text, "uno\r\ndos\r\n");
  const int slot = Add(o);
  Open(static_cast<int16_t>(slot));
  Click(dialog, kApply);
  EXPECT_STREQ(pageObjects[slot].text, "uno\r\ndos\r\n");
}

TEST_F(PropertiesTest, SwatchesTakeTheLastPickedColour) {
  const int slot = Add(SampleRecord(kAdminControl, 1));
  Open(static_cast<int16_t>(slot));
  const PageObject before = pageObjects[slot];
  Click(dialog, kForeSwatch);   // nothing picked yet: nothing changes
  EXPECT_EQ(FirstDifference(pageObjects[slot], before), -1);
  struct Case {
    int swatch;
    gfx::Colour PageObject::*field;
  };
  const Case cases[] = {{kBackSwatch, &PageObject::backColor},
                        {kForeSwatch, &PageObject::foreColor},
                        {kBorderSwatch, &PageObject::borderColor},
                        {kControlBackSwatch, &PageObject::controlBackColor}};
  gfx::Colour colour = 0x102030;
  for (const Case& c : cases) {
    pickedColour = ++colour;
    Click(dialog, c.swatch);
    EXPECT_EQ(pageObjects[slot].*c.field, colour) << c.swatch;
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(dialog, c.swatch), 3, 3), colour) << c.swatch;
  }
}

TEST_F(PropertiesTest, CopyFillsTheClipboardAndKeepsThePage) {
  const int a = Add(SampleRecord(kAlignedText, 1));
  Add(SampleRecord(kSquareOrCircle, 2));
  const auto before = pageObjects;
  Open(static_cast<int16_t>(a));
  EXPECT_EQ(ui::Text(dialog, kCopied), "Objetos copiados 0");
  Click(dialog, kCopy);
  Click(dialog, kCopy);
  EXPECT_EQ(clipboardCount, 2);
  EXPECT_EQ(ui::Text(dialog, kCopied), "Objetos copiados 2");
  EXPECT_EQ(FirstDifference(objectClipboard[1], pageObjects[a]), -1);
  for (int s = 2; s <= objectCount; ++s) EXPECT_EQ(FirstDifference(pageObjects[s], before[s]), -1) << s;
}

TEST_F(PropertiesTest, DeleteAsksAndOnYesEmptiesTheSlotAndMovesToAnotherObject) {
  Add(SampleRecord(kAlignedText, 1));
  PageObject square = SampleRecord(kSquareOrCircle, 2);
  square.x = 300;
  square.y = 400;
  square.width = 50;
  square.height = 50;
  square.backColor = 0x00FF00;
  square.fillStyle = 0;
  square.lineStyle = 0;
  const int middle = Add(square);
  const int last = Add(SampleRecord(kAngledText, 3));
  const auto before = pageObjects;
  Open(static_cast<int16_t>(middle));
  EXPECT_EQ(gfx::Pixel(*pageBitmap, 325, 425), 0x00FF00);

  ui::testing::AnswerMessageBox(ui::Answer::No);
  Click(dialog, kDelete);
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].text, kAskDelete);
  EXPECT_EQ(MessagesShown()[0].title, "Vozurivudoz");
  for (int s = 2; s <= objectCount; ++s) EXPECT_EQ(FirstDifference(pageObjects[s], before[s]), -1) << s;
  EXPECT_EQ(ui::ListCount(dialog, kList), 3);

  ui::testing::AnswerMessageBox(ui::Answer::Yes);
  Click(dialog, kDelete);
  EXPECT_EQ(pageObjects[middle].kind, 0);
  EXPECT_EQ(objectCount, last);
  EXPECT_EQ(FirstDifference(pageObjects[2], before[2]), -1);
  EXPECT_EQ(FirstDifference(pageObjects[last], before[last]), -1);
  ASSERT_EQ(ui::ListCount(dialog, kList), 2);
  EXPECT_EQ(ui::ListText(dialog, kList, 1).substr(0, 3), "004");
  // The list, the fields and the buttons now speak of the same object, and the page no longer
  // shows the deleted one.
  EXPECT_EQ(currentObjectIndex, 2);
  EXPECT_EQ(ui::ListSelection(dialog, kList), 0);
  EXPECT_EQ(ui::Text(dialog, kKind), "Texto alineado");
  EXPECT_EQ(gfx::Pixel(*pageBitmap, 325, 425), gfx::kWhite);
}

TEST_F(PropertiesTest, AnEmptyPageHasNothingToEdit) {
  Open(2);
  EXPECT_EQ(ui::ListCount(dialog, kList), 0);
  EXPECT_EQ(ui::Text(dialog, kKind), "");
  EXPECT_FALSE(ui::Enabled(dialog, kX));
  Click(dialog, kCopy);
  Click(dialog, kDelete);
  EXPECT_EQ(clipboardCount, 0);
  EXPECT_TRUE(MessagesShown().empty());
}

TEST_F(PropertiesTest, AnObjectUndoneOffThePageIsNeitherShownNorWritten) {
  Add(SampleRecord(kAlignedText, 1));
  const int undone = Add(SampleRecord(kSquareOrCircle, 2));
  --objectCount;   // "Deshacer" leaves the record in its slot
  const PageObject before = pageObjects[undone];
  Open(static_cast<int16_t>(undone));
  ASSERT_EQ(ui::ListCount(dialog, kList), 1);
  EXPECT_EQ(currentObjectIndex, 2);
  EXPECT_EQ(ui::Text(dialog, kKind), "Texto alineado");
  ui::SetText(dialog, kX, "77");
  Click(dialog, kApply);
  EXPECT_EQ(pageObjects[2].x, 77);
  EXPECT_EQ(FirstDifference(pageObjects[undone], before), -1);
}

TEST(PropertiesBits, IsPropertyApplicableTestsOneBitOfAnyStyle) {
  const std::tuple<int32_t, int16_t, int32_t> cases[] = {
      {3, 1, 1}, {3, 2, 1}, {3, 4, 0}, {15, 8, 1}, {0, 1, 0}, {17, 1, 1}, {19, 2, 1}, {16, 1, 0}, {24, 8, 1},
  };
  for (auto [mask, bit, result] : cases) EXPECT_EQ(IsPropertyApplicable(mask, bit), result) << mask << " " << bit;
}

TEST(PropertiesWindow, OpensAtItsPlaceAndGivesTheMainWindowBackWhenClosed) {
  WithMainWindow([](ui::Window main) {
    ui::testing::ChooseMenu(main, kCommandPaperMm);  // a graph paper on
    ui::testing::ChooseMenu(main,
                            kCommandRightFavourites);  // favourite colours on the right button
    ui::testing::ChooseMenu(main, kCommandLeftEdit);   // edit objects
    StartObjectProperties(main);
    ui::Window w = objectPropertiesDialog;
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(leftMouseMode, kLeftProperties);
    EXPECT_TRUE(ui::MenuBar(main).empty());
    EXPECT_FALSE(ui::testing::ChooseMenu(main, kCommandObjectProperties));
    StartObjectProperties(main);   // already open: nothing happens
    EXPECT_EQ(objectPropertiesDialog, w);

    const QWidget* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->isVisible() && top->windowTitle() == QStringLiteral("Propiedades objetos"))
        window = top;
    ASSERT_NE(window, nullptr);
    const QPoint origin = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
    EXPECT_EQ(window->pos(), origin + QPoint(227, 128));
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);

    ui::testing::CloseBox(w);
    EXPECT_FALSE(ui::IsWindow(w));
    EXPECT_EQ(objectPropertiesDialog, nullptr);
    EXPECT_EQ(leftMouseMode, kLeftEdit);
    EXPECT_FALSE(ui::MenuBar(main).empty());
    EXPECT_TRUE(ui::MenuItemChecked(main, kCommandLeftEdit));
    EXPECT_FALSE(ui::MenuItemChecked(main, kCommandLeftMove));
    EXPECT_TRUE(ui::MenuItemChecked(main, kCommandRightFavourites));
    EXPECT_FALSE(ui::MenuItemChecked(main, kCommandRightCaptureColour));
    EXPECT_TRUE(ui::MenuItemChecked(main, kCommandPaperMm));
    EXPECT_EQ(ui::MenuItemEnabled(main, kCommandRecordBrowser), databaseLinked == 1);
  });
}

}  // namespace
