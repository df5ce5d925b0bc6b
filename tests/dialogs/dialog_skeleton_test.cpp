#include "dialogs/dialog_skeleton.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page/start_values.h"
#include "tests/objects/dialog_test.h"

namespace {

using ui::testing::Click;
using ui::testing::CloseBox;
using ui::testing::OnDialog;

constexpr const char* kCaption = "Esqueleto";
constexpr int kAccept = 501, kCancel = 502, kOther = 503;

int32_t guard = 0;
int32_t accepted = 0;
DialogSkeleton skeleton{&guard, &accepted, kCancel};
// What the handlers saw, in order, with the guard and the accepted flag as they stood.
std::vector<std::string> seen;
bool keepOpen = false;

std::string Flags() { return " " + std::to_string(guard) + std::to_string(accepted); }

void Command(ui::Window dialog, int id, intptr_t code) {
  seen.push_back("command " + std::to_string(id) + " " + std::to_string(code) + Flags());
  if (id == kAccept) FinishDialog(skeleton, dialog, true);
  if (id == kCancel) FinishDialog(skeleton, dialog, false);
}

intptr_t Other(ui::Window, ui::Msg msg, intptr_t first, intptr_t) {
  if (msg != ui::Msg::Timer) return 0;
  seen.push_back("timer " + std::to_string(first));
  return 7;
}

constexpr DialogHandlers kHandlers{
    .init = [](ui::Window) { seen.push_back("init" + Flags()); },
    .command = Command,
    .destroy = [](ui::Window) { seen.push_back("destroy" + Flags()); },
    .other = Other,
    .keepOpen = [](ui::Window) {
      seen.push_back("asked");
      return keepOpen;
    }};

intptr_t Proc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

int RunDialog() {
  ui::DialogTemplate t;
  t.caption = kCaption;
  t.w = 200;
  t.h = 80;
  t.units = ui::Units::Pixels;
  t.controls = {
      {ui::Kind::Button, kAccept, "Aceptar", 10, 40, 60, 24},
      {ui::Kind::Button, kCancel, "Cancelar", 80, 40, 60, 24},
      {ui::Kind::Edit, kOther, "", 10, 10, 60, 24},
  };
  return ui::RunModal(t, nullptr, Proc);
}

class DialogSkeletonTest : public dialogtest::DialogTest {
 protected:
  DialogSkeletonTest() : DialogTest({&guard}) {}
  void SetUp() override {
    DialogTest::SetUp();
    seen.clear();
    keepOpen = false;
    // A stale 1 from an earlier opening.
    accepted = 1;
  }
};

const std::string kClicked = std::to_string(ui::kClicked);

TEST_F(DialogSkeletonTest, TheGuardIsSetBeforeTheDialogsInitAndClearedBeforeItsDestroy) {
  OnDialog(kCaption, [](ui::Window w) { Click(w, kAccept); });
  EXPECT_EQ(RunDialog(), ui::kOk);
  const std::vector<std::string> expected = {"init 10", "command 501 " + kClicked + " 10",
                                             "destroy 01"};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(accepted, 1);
}

TEST_F(DialogSkeletonTest, EscAndTheCloseBoxPressCancelUnlessTheDialogKeepsItOpen) {
  OnDialog(kCaption, [](ui::Window w) {
    keepOpen = true;
    CloseBox(w);
    EXPECT_TRUE(ui::IsWindow(w));
    keepOpen = false;
    CloseBox(w);
  });
  EXPECT_EQ(RunDialog(), ui::kCancel);
  const std::vector<std::string> expected = {
      "init 10", "asked", "asked", "command 502 " + kClicked + " 10", "destroy 00"};
  EXPECT_EQ(seen, expected);
}

TEST_F(DialogSkeletonTest, ACommandCarriesItsControlsIdAndOtherMessagesTheirOwnValue) {
  OnDialog(kCaption, [](ui::Window w) {
    // The id stands in the low word of a command's first.
    EXPECT_EQ(ui::SendMessage(w, ui::Msg::Command, (3 << 16) | kOther, 9), 0);
    EXPECT_EQ(ui::SendMessage(w, ui::Msg::Timer, 4, 0), 7);
    EXPECT_EQ(ui::SendMessage(w, ui::Msg::Activate, 0, 0), 0);
    Click(w, kCancel);
  });
  RunDialog();
  const std::vector<std::string> expected = {"init 10", "command 503 9 10", "timer 4",
                                             "command 502 " + kClicked + " 10", "destroy 00"};
  EXPECT_EQ(seen, expected);
}

TEST_F(DialogSkeletonTest, TheKeptFocusGoesBackToNoneWithEveryUnitsStart) {
  OnDialog(kCaption, [](ui::Window w) {
    ui::SetFocus(ui::Item(w, kOther));
    ui::SendMessage(w, ui::Msg::Deactivate, 0, 0);
    ASSERT_EQ(skeleton.focusBeforeDeactivation, ui::Item(w, kOther));
    RestoreEveryStart();
    EXPECT_EQ(skeleton.focusBeforeDeactivation, nullptr);
    Click(w, kCancel);
  });
  RunDialog();
}

}  // namespace
