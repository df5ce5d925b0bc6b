// Controls as the program reads and changes them, and as the test driver's user works them.
#include "tests/platform/ui/ui_fixture.h"

using namespace uitest;

namespace {

class ControlsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    d = ui::ShowModeless(SampleTemplate(), nullptr, RecordingProc);
    ASSERT_NE(d, nullptr);
    Log().clear();
  }
  void TearDown() override {
    ui::DestroyWindow(d);
    UiTest::TearDown();
  }
  ui::Window d = nullptr;
};

}  // namespace

TEST_F(ControlsTest, TextsRoundTripIn1252) {
  const std::string tamano = "Tama\xF1o";
  for (int id : {kOkButton, kCheck, kOptA1, kFrame, kLabel, kEdit, kMemo, kCombo}) {
    SCOPED_TRACE(id);
    ui::SetText(d, id, tamano);
    EXPECT_EQ(ui::Text(d, id), tamano);
  }
  ui::SetCaption(d, "Configuraci\xF3n");
  EXPECT_EQ(ui::Caption(d), "Configuraci\xF3n");
  EXPECT_EQ(ui::Caption(ui::Item(d, kLabel)), tamano);
  EXPECT_EQ(ui::Text(d, 999), "");
}

TEST_F(ControlsTest, MultiLineEditKeepsCrLfOutsideAndTypesLineBreaks) {
  ui::SetText(d, kMemo, "uno\r\ndos\r\ntres");
  EXPECT_EQ(ui::Text(d, kMemo), "uno\r\ndos\r\ntres");
  ui::testing::TypeText(d, kMemo, "a\r\nb");
  EXPECT_EQ(ui::Text(d, kMemo), "a\r\nb");
  // A single-line edit has no line breaks to give.
  ui::SetText(d, kEdit, "linea");
  EXPECT_EQ(ui::Text(d, kEdit), "linea");
}

TEST_F(ControlsTest, EditChangeIsNotifiedForTypingAndForSetText) {
  ui::SetText(d, kEdit, "12");
  EXPECT_GE(CountCommand(kEdit, ui::kEditChange), 1);
  Log().clear();
  ui::testing::TypeText(d, kEdit, "abc");
  EXPECT_EQ(ui::Text(d, kEdit), "abc");
  EXPECT_EQ(CountCommand(kEdit, ui::kEditChange), 3);  // one a character, as typed
  Log().clear();
  ui::SetText(d, kMemo, "x");
  EXPECT_GE(CountCommand(kMemo, ui::kEditChange), 1);
}

TEST_F(ControlsTest, DigitsOnlyEditRefusesOtherCharacters) {
  ui::testing::TypeText(d, kDigits, "12a3-4");
  EXPECT_EQ(ui::Text(d, kDigits), "1234");
  ui::testing::TypeText(d, kDigits, "");
  EXPECT_EQ(ui::Text(d, kDigits), "");
}

TEST_F(ControlsTest, TextLimitRefusesTypingBeyondIt) {
  ui::SetTextLimit(d, kEdit, 4);
  ui::testing::TypeText(d, kEdit, "abcdef");
  EXPECT_EQ(ui::Text(d, kEdit), "abcd");
  ui::SetTextLimit(d, kMemo, 5);
  ui::testing::TypeText(d, kMemo, "ab\r\ncdef");  // the line break counts two
  EXPECT_EQ(ui::Text(d, kMemo), "ab\r\nc");
}

TEST_F(ControlsTest, ButtonClickReachesTheProcedure) {
  ui::testing::Click(d, kCancelButton);
  EXPECT_EQ(CountCommand(kCancelButton, ui::kClicked), 1);
  EXPECT_EQ(CountCommands(kCancelButton), 1);
  ui::testing::Click(d, kLabel);  // a label that notifies
  EXPECT_EQ(CountCommand(kLabel, ui::kClicked), 1);
  ui::testing::Click(d, kGraphic);
  EXPECT_EQ(CountCommand(kGraphic, ui::kClicked), 1);
}

TEST_F(ControlsTest, DisabledAndHiddenControlsTakeNoClicks) {
  ui::Enable(d, kCancelButton, false);
  EXPECT_FALSE(ui::Enabled(d, kCancelButton));
  ui::testing::Click(d, kCancelButton);
  EXPECT_EQ(CountCommands(kCancelButton), 0);
  ui::Enable(d, kCancelButton, true);
  EXPECT_TRUE(ui::Enabled(d, kCancelButton));

  ui::Show(d, kCheck, false);
  EXPECT_FALSE(ui::Visible(d, kCheck));
  ui::testing::Click(d, kCheck);
  EXPECT_FALSE(ui::Checked(d, kCheck));
  ui::Show(d, kCheck, true);
  EXPECT_TRUE(ui::Visible(d, kCheck));
  ui::testing::Click(d, kCheck);
  EXPECT_TRUE(ui::Checked(d, kCheck));
}

TEST_F(ControlsTest, TemplateStylesHideAndGrey) {
  ui::DialogTemplate t = SampleTemplate("Estilos");
  t.controls[1].style |= ui::kDisabled;
  t.controls[2].style |= ui::kHidden;
  ui::Window e = ui::ShowModeless(t, nullptr, RecordingProc);
  EXPECT_FALSE(ui::Enabled(e, kCancelButton));
  EXPECT_FALSE(ui::Visible(e, kCheck));
  EXPECT_TRUE(ui::Enabled(e, kOkButton));
  EXPECT_TRUE(ui::Visible(e, kOkButton));
  ui::DestroyWindow(e);
}

TEST_F(ControlsTest, CheckBoxClickTogglesAndNotifies) {
  ui::testing::Click(d, kCheck);
  EXPECT_TRUE(ui::Checked(d, kCheck));
  ui::testing::Click(d, kCheck);
  EXPECT_FALSE(ui::Checked(d, kCheck));
  EXPECT_EQ(CountCommand(kCheck, ui::kClicked), 2);
  ui::SetCheck(d, kCheck, true);
  EXPECT_TRUE(ui::Checked(d, kCheck));
  EXPECT_EQ(CountCommands(kCheck), 2);  // the program's own change is not a click
}

TEST_F(ControlsTest, OptionGroupsAreExclusiveOnClick) {
  ui::testing::Click(d, kOptA1);
  ui::testing::Click(d, kOptB2);
  ui::testing::Click(d, kOptA3);
  EXPECT_FALSE(ui::Checked(d, kOptA1));
  EXPECT_FALSE(ui::Checked(d, kOptA2));
  EXPECT_TRUE(ui::Checked(d, kOptA3));
  EXPECT_FALSE(ui::Checked(d, kOptB1));
  EXPECT_TRUE(ui::Checked(d, kOptB2));
  // Clicking the chosen one keeps it chosen.
  ui::testing::Click(d, kOptA3);
  EXPECT_TRUE(ui::Checked(d, kOptA3));
  EXPECT_EQ(CountCommand(kOptA3, ui::kClicked), 2);
  // SetCheck sets one box only, as the program asks.
  ui::SetCheck(d, kOptA1, true);
  EXPECT_TRUE(ui::Checked(d, kOptA1));
  EXPECT_TRUE(ui::Checked(d, kOptA3));
}

TEST_F(ControlsTest, ListsAndCombosHoldLinesAndSelections) {
  for (int id : {kList, kCombo, kDropList}) {
    SCOPED_TRACE(id);
    ui::ListClear(d, id);
    for (const char* line : {"03 - Marzo", "01 - Enero", "02 - Febrero"}) ui::ListAdd(d, id, line);
    EXPECT_EQ(ui::ListCount(d, id), 3);
    EXPECT_EQ(ui::ListSelection(d, id), -1);  // adding selects nothing
    EXPECT_EQ(ui::ListSelectByPrefix(d, id, "02"), id == kDropList ? 1 : 2);
    EXPECT_EQ(ui::Text(d, id), "02 - Febrero");
    EXPECT_EQ(ui::ListSelectByPrefix(d, id, "07"), -1);
    EXPECT_EQ(ui::ListText(d, id, ui::ListSelection(d, id)), "02 - Febrero");  // unchanged
    ui::ListSelect(d, id, 0);
    EXPECT_EQ(ui::ListSelection(d, id), 0);
    ui::ListSelect(d, id, -1);
    EXPECT_EQ(ui::ListSelection(d, id), -1);
    ui::ListDelete(d, id, 0);
    EXPECT_EQ(ui::ListCount(d, id), 2);
    EXPECT_EQ(ui::ListText(d, id, 5), "");
    ui::ListClear(d, id);
    EXPECT_EQ(ui::ListCount(d, id), 0);
  }
  // None of that was the user's doing.
  EXPECT_EQ(Count(ui::Msg::Command), 0);
}

TEST_F(ControlsTest, SortedListsInsertInOrder) {
  EXPECT_EQ(ui::ListAdd(d, kDropList, "b"), 0);
  EXPECT_EQ(ui::ListAdd(d, kDropList, "a"), 0);
  EXPECT_EQ(ui::ListAdd(d, kDropList, "C"), 2);
  EXPECT_EQ(ui::ListAdd(d, kList, "b"), 0);
  EXPECT_EQ(ui::ListAdd(d, kList, "a"), 1);
  EXPECT_EQ(ui::ListText(d, kDropList, 0), "a");
  EXPECT_EQ(ui::ListText(d, kDropList, 2), "C");
}

TEST_F(ControlsTest, PrefixSearchIgnoresCaseAndKeeps1252) {
  ui::ListAdd(d, kCombo, "0 - no");
  ui::ListAdd(d, kCombo, "1 - s\xED");
  EXPECT_EQ(ui::ListSelectByPrefix(d, kCombo, "1 - S\xCD"), 1);
  EXPECT_EQ(ui::Text(d, kCombo), "1 - s\xED");
}

TEST_F(ControlsTest, ChoosingALineNotifiesAsTheUserWould) {
  for (const char* line : {"uno", "dos"}) {
    ui::ListAdd(d, kList, line);
    ui::ListAdd(d, kDropList, line);
  }
  ui::testing::ChooseListItem(d, kList, 1);
  EXPECT_EQ(ui::ListSelection(d, kList), 1);
  EXPECT_EQ(CountCommand(kList, ui::kSelChange), 1);
  ui::testing::ChooseListItem(d, kDropList, 0);
  EXPECT_EQ(ui::Text(d, kDropList), "dos");
  EXPECT_EQ(CountCommand(kDropList, ui::kSelChange), 1);
  EXPECT_EQ(CountCommand(kDropList, ui::kSelEndOk), 1);
}

TEST_F(ControlsTest, EditableComboTakesTypedText) {
  ui::ListAdd(d, kCombo, "Arial");
  ui::testing::TypeText(d, kCombo, "Times");
  EXPECT_EQ(ui::Text(d, kCombo), "Times");
  EXPECT_GE(CountCommand(kCombo, ui::kComboEditChange), 1);
  ui::SetText(d, kCombo, "Symbol");
  EXPECT_EQ(ui::Text(d, kCombo), "Symbol");
}

TEST_F(ControlsTest, FocusGoesWhereTheProgramSendsIt) {
  ui::SetFocus(ui::Item(d, kEdit));
  EXPECT_EQ(ui::Focused(), ui::Item(d, kEdit));
  EXPECT_EQ(ui::Parent(ui::Focused()), d);
  ui::SetFocus(ui::Item(d, kDigits));
  EXPECT_EQ(ui::Focused(), ui::Item(d, kDigits));
  EXPECT_EQ(CountCommand(kEdit, ui::kSetFocus), 1);
  EXPECT_EQ(CountCommand(kEdit, ui::kKillFocus), 1);
  EXPECT_EQ(CountCommand(kDigits, ui::kSetFocus), 1);
}

TEST_F(ControlsTest, IconsKeepTheirResourceNameWithOrWithoutAnImage) {
  EXPECT_EQ(ui::ImageName(d, kIcon), "#701");
  ui::SetImage(d, kIcon, "#702");
  EXPECT_EQ(ui::ImageName(d, kIcon), "#702");
  ui::SetImage(d, kIcon, "#999");  // unknown: nothing shown
  EXPECT_EQ(ui::ImageName(d, kIcon), "#999");
  EXPECT_FALSE(Grabbed(d, "icon").isNull());
}
