// What the object dialogs' tests share: a fixture that starts each test on a fresh test driver
// and afterwards checks that no dialog or message came unanswered and that the dialog let go
// of its re-entry guards and its bitmap; and the messages the size fields show.
#pragma once
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

namespace dialogtest {

class DialogTest : public ::testing::Test {
 protected:
  explicit DialogTest(std::initializer_list<int32_t*> guards = {}, gfx::Surface** bitmap = nullptr)
      : guards_(guards), bitmap_(bitmap) {}
  void SetUp() override { ui::testing::Begin(); }
  void TearDown() override {
    EXPECT_TRUE(ui::testing::Unexpected().empty());
    for (const int32_t* guard : guards_) EXPECT_EQ(*guard, 0);
    if (bitmap_) {
      EXPECT_EQ(*bitmap_, nullptr);
    }
  }

 private:
  std::vector<int32_t*> guards_;
  gfx::Surface** bitmap_;
};

// What the squares-and-circles and arrows dialogs say of their size fields.
constexpr const char* kMixedSizes = "No puedes rellenar tama\xF1o en pixel y milimetros a la vez ...";
constexpr const char* kNoSize = "Rellena Tama\xF1o en pixeles o milimetros ...\r\nGracias !!";
constexpr const char* kSizeTooLarge = "Tama\xF1o demasiado grande, como mucho 32767 pixeles ...";

// The message boxes shown since Begin(), in order, each under the designer's title. Call it
// inside ASSERT_NO_FATAL_FAILURE where a wrong count must end the test.
inline void ExpectMessages(const std::vector<const char*>& texts) {
  const auto& shown = ui::testing::MessagesShown();
  ASSERT_EQ(shown.size(), texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(shown[i].text, texts[i]);
    EXPECT_EQ(shown[i].title, "Vozurivudoz");
  }
}

}  // namespace dialogtest
