// The record-list dialog through the test driver: sizes, fields and widths, "Resetear", the
// check boxes across openings, and "Crear".
#include "search/dialogs/record_list_dialog.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <cerrno>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "database/value_scan.h"
#include "platform/files/files.h"
#include "platform/gfx/gfx.h"
#include "search/record_list_file.h"
#include "search/search_engine.h"
#include "database/search_results.h"
#include "tests/objects/dialog_test.h"
#include "tests/page/ink.h"
#include "tests/search/search_fixture.h"
#include "tests/support/held_opener.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

using ui::testing::ChooseListItem;
using ui::testing::Click;
using ui::testing::OnDialog;
using ui::testing::TypeText;

constexpr const char* kCaption = "Configuraci\xF3n listar para tipo de letra monoespaciado";
using namespace record_list_ids;
constexpr const char* kNoWidth = "Tiene que reservar cantidad de caracteres para este campo ...";
constexpr const char* kNoField = "Tiene que seleccionar un campo valido ...";
constexpr const char* kNoSearch = "Tienes que hacer primero una busqueda ...";

constexpr gfx::Colour kGreen = gfx::Rgb(0, 255, 0), kRed = gfx::Rgb(255, 0, 0);

std::vector<std::string> Lines(ui::Window w, int id) {
  std::vector<std::string> lines;
  for (int i = 0; i < ui::ListCount(w, id); ++i) lines.push_back(ui::ListText(w, id, i));
  return lines;
}

int LineOf(ui::Window w, int id, const std::string& text) {
  const std::vector<std::string> lines = Lines(w, id);
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == text) return static_cast<int>(i);
  return -1;
}

// How many pixels of the dialog as shown have the colour.
int PixelsOf(ui::Window w, gfx::Colour colour) {
  const std::string png = testenv::Folder() + "record-list.png";
  EXPECT_TRUE(ui::testing::Grab(w, png));
  std::string error;
  const gfx::ImageKey image = gfx::LoadImage(png, error);
  if (image == 0) return -1;
  gfx::Surface* shot = gfx::MakeBitmap(gfx::ImageWidth(image), gfx::ImageHeight(image));
  gfx::DrawImage(*shot, image, 0, 0, gfx::ImageWidth(image), gfx::ImageHeight(image));
  const int n = ink::CountColour(*shot, colour);
  gfx::ReleaseBitmap(shot);
  gfx::ReleaseImage(image);
  return n;
}

class RecordListDialogTest : public dialogtest::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    ResetRecordListDialogState();
    files::OverrideDataFolder(testenv::NewFolder("program"));
    recordListOpener = [this](std::string_view path, const desktop::OpenerVerdict& told) {
      opened_.emplace_back(path);
      told(desktop::Opened::Yes);
    };
    ResetSearchState();
    searchtest::LinkDatabase("Socios",
                             {{"Nombre", kFieldText},
                              {"fonetica", kFieldPhonetic},
                              {"Importe", kFieldNumber},
                              {"Notas", kFieldMemo},
                              {"Alta", kFieldDate},
                              {"Socio", kFieldYesNo},
                              {"Cuota", kFieldNumberOther},
                              {"Zona", kFieldListChoice, 1, "Norte|Sur"},
                              {"Otro", 11},
                              {"Raro", -1}},
                             {{"Ana", "", "12'5"}, {"Eva", "", "1'5"}});
    foundRecords = {0, 1, 2};
    foundCount = 2;
    searchFound = 1;
  }
  void TearDown() override {
    DialogTest::TearDown();
    ResetRecordListDialogState();
    ResetSearchState();
  }
  // Types a width, picks a field and presses "Aplicar".
  static void Apply(ui::Window w, const std::string& field, const std::string& width) {
    TypeText(w, kWidthField, width);
    if (!field.empty()) ChooseListItem(w, kFieldCombo, LineOf(w, kFieldCombo, field));
    Click(w, kAplicar);
  }
  // Picks a size and checks what the dialog shows then: the length of its line, and the
  // characters left, in green.
  static void PickSize(ui::Window w, const std::string& size, int lineLength, int left) {
    SCOPED_TRACE("size " + size);
    ChooseListItem(w, kSizeCombo, LineOf(w, kSizeCombo, size));
    EXPECT_EQ(ui::Text(w, kLineLengthLabel), "Total de caracteres por l\xEDnea " + std::to_string(lineLength));
    EXPECT_EQ(ui::Text(w, kAvailableLabel), "Disponibles " + std::to_string(left) + " caracteres");
    EXPECT_GT(PixelsOf(w, kGreen), 0);
    EXPECT_EQ(PixelsOf(w, kRed), 0);
    EXPECT_EQ(listFontSize, std::stoi(size));
    EXPECT_EQ(listLineLength, lineLength);
    EXPECT_EQ(listCharsAvailable, left);
  }
  std::vector<std::string> opened_;
};

TEST_F(RecordListDialogTest, WithoutSearchResultsNothingOpens) {
  ClearSearchResults();
  EXPECT_EQ(ShowRecordListDialog(nullptr), 0);
  EXPECT_TRUE(ui::testing::DialogsOpened().empty());
  ASSERT_NO_FATAL_FAILURE(dialogtest::ExpectMessages({kNoSearch}));
}

TEST_F(RecordListDialogTest, OpeningOffersTheListableFieldsAndNoSize) {
  listUpperCase = 1;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(ui::Caption(w), kCaption);
    EXPECT_EQ(Lines(w, kFieldCombo),
              (std::vector<std::string>{"Alta", "Cuota", "fonetica", "Importe", "Nombre", "Socio",
                                        "Zona"}));
    EXPECT_EQ(ui::ListSelection(w, kFieldCombo), -1);
    EXPECT_EQ(Lines(w, kSizeCombo), (std::vector<std::string>{"08", "09", "10", "11", "12"}));
    EXPECT_EQ(ui::ListSelection(w, kSizeCombo), -1);
    EXPECT_EQ(ui::Text(w, kLineLengthLabel), "Total de caracteres por l\xEDnea ##");
    EXPECT_TRUE(ui::Checked(w, kUpperCaseBox));
    EXPECT_FALSE(ui::Checked(w, kTotalsBox));
    EXPECT_EQ(ui::Text(w, kSizeNote),
              "Elige tama\xF1o fuente de tu editor (ej: bloc de notas) cuando vayas a imprimir");
    EXPECT_EQ(ui::Text(w, kApplyNote), "Bot\xF3n aplicar para que surta efecto ...");
    EXPECT_EQ(ui::Text(w, kChosenListNote),
              "Lista de campos seleccionados en orden con tama\xF1os reservados");
    EXPECT_EQ(ui::Text(w, kUpperCaseBox), "Lista en May\xFAsculas");
    const std::vector<ui::Menu> bar = ui::MenuBar(w);
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].title, "Men\xFA");
    ASSERT_EQ(bar[0].items.size(), 1u);
    EXPECT_EQ(bar[0].items[0].text, "Resetear");
    EXPECT_EQ(bar[0].items[0].id, kResetear);
    EXPECT_EQ(listFieldCount, 0);
    EXPECT_EQ(listFieldNames.size(), 11u);
    Click(w, kSalir);
  });
  EXPECT_EQ(ShowRecordListDialog(nullptr), 0);
  EXPECT_EQ(listFontSize, 8);
}

TEST_F(RecordListDialogTest, SizesAndWidthsSetTheCharactersLeft) {
  OnDialog(kCaption, [](ui::Window w) {
    PickSize(w, "10", 101, 101);

    // The preview waits for a field, then shows what a width would leave.
    TypeText(w, kWidthField, "12abc");
    EXPECT_EQ(ui::Text(w, kAvailableLabel), "Disponibles 101 caracteres");
    ChooseListItem(w, kFieldCombo, LineOf(w, kFieldCombo, "Importe"));
    TypeText(w, kWidthField, "12abc");
    EXPECT_EQ(ui::Text(w, kAvailableLabel), "Disponibles 88 caracteres");
    Click(w, kAplicar);
    EXPECT_EQ(listCharsAvailable, 88);
    EXPECT_EQ(Lines(w, kChosenList), std::vector<std::string>{"01 - Importe reservados 12"});
    EXPECT_EQ(LineOf(w, kFieldCombo, "Importe"), -1);
    EXPECT_EQ(ui::ListSelection(w, kFieldCombo), -1);
    EXPECT_EQ(ui::Text(w, kWidthField), "");
    EXPECT_FALSE(ui::Enabled(w, kSizeCombo));

    // 2.6 reserves 3 characters and takes 3.6, rounded, off the line.
    Apply(w, "Nombre", "2.6");
    EXPECT_EQ(ui::Text(w, kAvailableLabel), "Disponibles 84.4 caracteres");
    EXPECT_EQ(listCharsAvailable, 84);
    EXPECT_EQ(Lines(w, kChosenList),
              (std::vector<std::string>{"01 - Importe reservados 12", "02 - Nombre reservados 3"}));

    // Past the end of the line the count turns red; the field is applied all the same.
    Apply(w, "Alta", "90");
    EXPECT_EQ(ui::Text(w, kAvailableLabel), "Disponibles -7 caracteres");
    EXPECT_EQ(listCharsAvailable, -7);
    EXPECT_GT(PixelsOf(w, kRed), 0);
    EXPECT_EQ(PixelsOf(w, kGreen), 0);
    ASSERT_EQ(listFieldCount, 3);
    EXPECT_STREQ(listFieldNames[1].fieldName, "Importe");
    EXPECT_EQ(listFieldNames[1].reservedWidth, 12);
    EXPECT_STREQ(listFieldNames[2].fieldName, "Nombre");
    EXPECT_EQ(listFieldNames[2].reservedWidth, 3);
    EXPECT_EQ(listFieldNames[3].reservedWidth, 90);
    Click(w, kSalir);
  });
  EXPECT_EQ(ShowRecordListDialog(nullptr), 0);
  EXPECT_TRUE(ui::testing::MessagesShown().empty());
}

// Fields may be applied before a size is picked: the size box stays open until one is, and
// the line of the size then picked starts with what the fields of this opening take (since
// "Resetear", when it was chosen), whatever the count stood at before.
TEST_F(RecordListDialogTest, ASizePickedAfterTheFieldsCountsThem) {
  OnDialog(kCaption, [](ui::Window w) {
    Apply(w, "Cuota", "50");
    EXPECT_TRUE(ui::testing::ChooseMenu(w, kResetear));
    Apply(w, "Nombre", "30");
    Apply(w, "Importe", "40");
    Apply(w, "Alta", "2.6");
    EXPECT_EQ(ui::Text(w, kAvailableLabel), "Disponibles -75.6 caracteres");
    EXPECT_EQ(listCharsAvailable, -76);
    EXPECT_TRUE(ui::Enabled(w, kSizeCombo));
    PickSize(w, "08", 129, 53);
    // Now the size is fixed; the next field counts on from there.
    EXPECT_FALSE(ui::Enabled(w, kSizeCombo));
    Apply(w, "Socio", "10");
    EXPECT_EQ(listCharsAvailable, 42);
    EXPECT_EQ(listFieldCount, 4);
    Click(w, kSalir);
  });
  ShowRecordListDialog(nullptr);
  // A later opening counts on from 42 until its own size is picked.
  OnDialog(kCaption, [](ui::Window w) {
    Apply(w, "Nombre", "5");
    EXPECT_EQ(listCharsAvailable, 36);
    EXPECT_TRUE(ui::Enabled(w, kSizeCombo));
    PickSize(w, "12", 85, 85 - 6);
    EXPECT_FALSE(ui::Enabled(w, kSizeCombo));
    Click(w, kSalir);
  });
  ShowRecordListDialog(nullptr);
  EXPECT_TRUE(ui::testing::MessagesShown().empty());
  EXPECT_TRUE(ui::testing::Unexpected().empty());
}

TEST_F(RecordListDialogTest, AWidthThatIsNoNumberAboveZeroOrTooWideIsRefused) {
  OnDialog(kCaption, [](ui::Window w) {
    ChooseListItem(w, kSizeCombo, 0);
    for (const char* width : {"abc", "0", "-5", "", "40000", "1e9"}) {
      Apply(w, "Socio", width);
      EXPECT_EQ(listFieldCount, 0) << width;
      EXPECT_EQ(listCharsAvailable, 129) << width;
    }
    // Without a field the preview changes and nothing else.
    ui::ListSelect(w, kFieldCombo, -1);
    TypeText(w, kWidthField, "9");
    Click(w, kAplicar);
    EXPECT_EQ(ui::Text(w, kAvailableLabel), "Disponibles 119 caracteres");
    EXPECT_EQ(listCharsAvailable, 129);
    EXPECT_EQ(listFieldCount, 0);
    EXPECT_TRUE(Lines(w, kChosenList).empty());
    // The widest a column may be.
    Apply(w, "Socio", "32767");
    EXPECT_EQ(listFieldNames[1].reservedWidth, 32767);
    Apply(w, "Cuota", "32767");
    Apply(w, "Zona", "32767");
    EXPECT_EQ(listCharsAvailable, 129 - 3 * 32768);
    Click(w, kSalir);
  });
  ShowRecordListDialog(nullptr);
  ASSERT_NO_FATAL_FAILURE(dialogtest::ExpectMessages(
      {kNoWidth, kNoWidth, kNoWidth, kNoWidth, kNoWidth, kNoWidth, kNoField}));
}

TEST_F(RecordListDialogTest, ResetearStartsOverWithoutThePhoneticFields) {
  OnDialog(kCaption, [](ui::Window w) {
    ChooseListItem(w, kSizeCombo, 4);
    Apply(w, "Nombre", "10");
    Apply(w, "fonetica", "5");
    ASSERT_EQ(listFieldCount, 2);
    EXPECT_TRUE(ui::testing::ChooseMenu(w, kResetear));
    EXPECT_EQ(listFieldCount, 0);
    EXPECT_EQ(Lines(w, kFieldCombo),
              (std::vector<std::string>{"Alta", "Cuota", "Importe", "Nombre", "Socio", "Zona"}));
    EXPECT_TRUE(Lines(w, kChosenList).empty());
    EXPECT_TRUE(ui::Enabled(w, kSizeCombo));
    EXPECT_EQ(Lines(w, kSizeCombo).size(), 5u);
    EXPECT_EQ(ui::ListSelection(w, kSizeCombo), -1);
    EXPECT_EQ(ui::Text(w, kAvailableLabel), "Disponibles 0 caracteres");
    EXPECT_GT(PixelsOf(w, kGreen), 0);
    EXPECT_EQ(ui::Text(w, kLineLengthLabel), "Total de caracteres por l\xEDnea 0");
    EXPECT_EQ(listCharsAvailable, 0);
    EXPECT_EQ(listLineLength, 0);
    EXPECT_EQ(listFontSize, 12);  // the size stays as it was picked
    Click(w, kSalir);
  });
  ShowRecordListDialog(nullptr);
}

// The check boxes and the characters left outlast the dialog; the chosen fields do not.
TEST_F(RecordListDialogTest, ASecondOpeningKeepsTheCheckBoxesAndTheCount) {
  OnDialog(kCaption, [](ui::Window w) {
    // No size picked since the start: the first field already leaves a negative count.
    Apply(w, "Nombre", "5");
    EXPECT_EQ(ui::Text(w, kAvailableLabel), "Disponibles -6 caracteres");
    EXPECT_GT(PixelsOf(w, kRed), 0);
    Click(w, kUpperCaseBox);
    Click(w, kTotalsBox);
    Click(w, kSalir);
  });
  ShowRecordListDialog(nullptr);
  EXPECT_EQ(listUpperCase, 1);
  EXPECT_EQ(listWithTotals, 1);
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_TRUE(ui::Checked(w, kUpperCaseBox));
    EXPECT_TRUE(ui::Checked(w, kTotalsBox));
    EXPECT_TRUE(Lines(w, kChosenList).empty());
    EXPECT_NE(LineOf(w, kFieldCombo, "Nombre"), -1);
    EXPECT_EQ(listFieldCount, 0);
    Apply(w, "Nombre", "5");
    EXPECT_EQ(listCharsAvailable, -12);
    Click(w, kUpperCaseBox);
    Click(w, kSalir);
  });
  ShowRecordListDialog(nullptr);
  EXPECT_EQ(listUpperCase, 0);
  EXPECT_EQ(listWithTotals, 1);
}

TEST_F(RecordListDialogTest, CrearWritesTheListOfTheFoundRecords) {
  ui::Window dialog = nullptr;
  recordListOpener = [this, &dialog](std::string_view path, const desktop::OpenerVerdict& told) {
    opened_.emplace_back(path);
    // While the list is written the buttons are greyed and the caption shows the progress.
    EXPECT_EQ(ui::Caption(dialog), "100 %");
    for (int id : {kAplicar, kSalir, kCrear, kUpperCaseBox})
      EXPECT_FALSE(ui::Enabled(dialog, id)) << id;
    EXPECT_TRUE(ui::Enabled(dialog, kTotalsBox));
    told(desktop::Opened::Yes);
  };
  OnDialog(kCaption, [&dialog](ui::Window w) {
    dialog = w;
    ChooseListItem(w, kSizeCombo, LineOf(w, kSizeCombo, "10"));
    Apply(w, "Importe", "6");
    Apply(w, "Nombre", "10");
    Click(w, kTotalsBox);
    Click(w, kCrear);
    EXPECT_EQ(ui::Caption(w), kCaption);
    for (int id : {kAplicar, kSalir, kCrear, kUpperCaseBox}) EXPECT_TRUE(ui::Enabled(w, id)) << id;
    // The entries now stand in definition order; the list box keeps the order of application.
    EXPECT_STREQ(listFieldNames[1].fieldName, "Nombre");
    EXPECT_EQ(Lines(w, kChosenList),
              (std::vector<std::string>{"01 - Importe reservados 6", "02 - Nombre reservados 10"}));
    // Without search results "Crear" says so.
    foundCount = 0;
    Click(w, kCrear);
    Click(w, kSalir);
  });
  EXPECT_EQ(ShowRecordListDialog(nullptr), 0);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(testfiles::ReadRaw(opened_[0]),
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Rod;}{\\f1 Ipa-sams Uclphon1 SILSophiaL;}}"
            "\\f0\\fs20 Ana\\~\\~\\~\\~\\~\\~\\~ \\f0\\fs20 12'5\\line \r\n"
            "\\f0\\fs20 Eva\\~\\~\\~\\~\\~\\~\\~ \\f0\\fs20 1'5\\line \r\n"
            "\\line \r\n"
            "\\f0\\fs20 \\~\\~\\~\\~\\~\\~\\~\\~\\~\\~ \\f0\\fs20 14'\\~\\~\\~ \\line \r\n"
            "}\r\n");
  ASSERT_NO_FATAL_FAILURE(dialogtest::ExpectMessages(
      {"Comienza la creaci\xF3n de la lista ...", "Lista realizada ...", kNoSearch}));
}

TEST_F(RecordListDialogTest, AFailedWriteIsReported) {
  OnDialog(kCaption, [](ui::Window w) {
    Apply(w, "Nombre", "10");
    const files::testing::FailureScope full(files::testing::Step::Write, ENOSPC, 10);
    Click(w, kCrear);
    EXPECT_EQ(ui::Caption(w), kCaption);
    EXPECT_TRUE(ui::Enabled(w, kCrear));
    Click(w, kSalir);
  });
  ShowRecordListDialog(nullptr);
  EXPECT_TRUE(opened_.empty());
  ASSERT_NO_FATAL_FAILURE(dialogtest::ExpectMessages(
      {"Comienza la creaci\xF3n de la lista ...", files::ErrorText(ENOSPC).c_str()}));
  EXPECT_EQ(files::ErrorText(ENOSPC).rfind("Err: 28 ", 0), 0u);
}

TEST_F(RecordListDialogTest, AListThatNoApplicationOpensIsNamedInAMessage) {
  // An opener that finds no application at once.
  recordListOpener = [this](std::string_view path, const desktop::OpenerVerdict& told) {
    opened_.emplace_back(path);
    told(desktop::Opened::No);
  };
  OnDialog(kCaption, [](ui::Window w) {
    Apply(w, "Nombre", "10");
    Click(w, kCrear);
    EXPECT_EQ(ui::Caption(w), kCaption);
    EXPECT_TRUE(ui::Enabled(w, kCrear));
    Click(w, kSalir);
  });
  ShowRecordListDialog(nullptr);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0].rfind(files::DataFolder(), 0), 0u) << opened_[0];
  ASSERT_NO_FATAL_FAILURE(dialogtest::ExpectMessages(
      {"Comienza la creaci\xF3n de la lista ...", "Lista realizada ...",
       ("No hay ninguna aplicaci\xF3n para abrir el fichero " + opened_[0] + " ...").c_str()}));
  // The list is written all the same.
  EXPECT_NE(testfiles::ReadRaw(opened_[0]).find("\\f0\\fs16 Ana"), std::string::npos);
}

// The desktop's opener may take seconds to find that nothing takes RTF: the dialog has moved
// on by then, and the opener was left running meanwhile. One the user ends says nothing.
TEST_F(RecordListDialogTest, TheDesktopsOpenerIsHeardHoweverLateItEnds) {
  recordListOpener = nullptr;
  struct Case {
    int exitCode;
    int signal;  // when not 0, the opener is ended by it instead, as the user ends it
    bool told;
  };
  for (const Case c : {Case{1, 0, true}, Case{0, 0, false}, Case{0, SIGTERM, false}}) {
    SCOPED_TRACE(::testing::Message() << c.exitCode << " " << c.signal);
    ui::testing::Begin();
    testopener::HeldOpener opener;
    OnDialog(kCaption, [](ui::Window w) {
      Apply(w, "Nombre", "10");
      Click(w, kCrear);
      Click(w, kSalir);
    });
    EXPECT_EQ(ShowRecordListDialog(nullptr), 0);
    const std::vector<long long> running = desktop::testing::OpenersRunning();
    ASSERT_EQ(running.size(), 1u);
    EXPECT_EQ(kill(static_cast<pid_t>(running[0]), 0), 0) << "the opener was stopped";
    ASSERT_NO_FATAL_FAILURE(dialogtest::ExpectMessages(
        {"Comienza la creaci\xF3n de la lista ...", "Lista realizada ..."}));
    if (c.signal != 0) {
      ASSERT_TRUE(opener.WaitForAsked(1));
      ASSERT_EQ(kill(static_cast<pid_t>(running[0]), c.signal), 0);
    } else {
      opener.Let(c.exitCode);
    }
    ASSERT_TRUE(desktop::testing::WaitForOpeners());
    const std::vector<std::string> asked = opener.Asked();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].rfind(files::DataFolder() + "Lista ", 0), 0u) << asked[0];
    std::vector<const char*> expected = {"Comienza la creaci\xF3n de la lista ...",
                                         "Lista realizada ..."};
    const std::string noApplication =
        "No hay ninguna aplicaci\xF3n para abrir el fichero " + asked[0] + " ...";
    if (c.told) expected.push_back(noApplication.c_str());
    ASSERT_NO_FATAL_FAILURE(dialogtest::ExpectMessages(expected));
    EXPECT_TRUE(ui::testing::Unexpected().empty());
  }
}

TEST_F(RecordListDialogTest, MemoryRunningOutIsReported) {
  struct StepPutBack {
    ~StepPutBack() { valueScanStep = nullptr; }
  } putBack;
  OnDialog(kCaption, [](ui::Window w) {
    Apply(w, "Nombre", "10");
    valueScanStep = [] { throw std::bad_alloc(); };
    Click(w, kCrear);
    valueScanStep = nullptr;
    EXPECT_EQ(ui::Caption(w), kCaption);
    EXPECT_TRUE(ui::Enabled(w, kCrear));
    Click(w, kSalir);
  });
  ShowRecordListDialog(nullptr);
  EXPECT_TRUE(opened_.empty());
  EXPECT_TRUE(std::filesystem::is_empty(files::DataFolder()));
  ASSERT_NO_FATAL_FAILURE(dialogtest::ExpectMessages(
      {"Comienza la creaci\xF3n de la lista ...", "Err: 12 No hay memoria suficiente"}));
}

TEST_F(RecordListDialogTest, EscAndTheCloseBoxWaitForTheListBeingWritten) {
  ui::Window dialog = nullptr;
  recordListOpener = [&dialog](std::string_view, const desktop::OpenerVerdict& told) {
    ui::testing::CloseBox(dialog);
    ui::testing::Key(dialog, ui::kKeyEscape);
    told(desktop::Opened::Yes);
  };
  OnDialog(kCaption, [&dialog](ui::Window w) {
    dialog = w;
    Click(w, kCrear);
  });
  // The dialog was still open when its test actions ended: the driver ended it.
  EXPECT_EQ(ShowRecordListDialog(nullptr), -1);
  EXPECT_EQ(ui::testing::Unexpected(), std::vector<std::string>{kCaption});
  ui::testing::Begin();
  // Once the list is written they close it.
  OnDialog(kCaption, [](ui::Window w) { ui::testing::CloseBox(w); });
  EXPECT_EQ(ShowRecordListDialog(nullptr), ui::kCancel);
}

}  // namespace
