// The start shared by every program that draws: the display looked for, the program's name in
// what it says, and Qt's fatal start message turned into an end with code 1.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdlib>

#include "platform/gfx/start.h"
#include "platform/gfx/start_qt.h"

namespace {

TEST(StartFailure, QtsFatalStartMessageEndsTheProgramWithCodeOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        qInstallMessageHandler(gfx::ReportStartFailure);
        qWarning("qt.qpa.xcb: could not connect to display :99");
        qFatal("This application failed to start because no Qt platform plugin could be "
               "initialized.");
      },
      ::testing::ExitedWithCode(1), "no se puede abrir la pantalla\n.*no Qt platform plugin");
}

// The start of a program named "informe" with no display named: its exit code says whether
// the application was made (4), or the start came back false (3) or true (5).
[[noreturn]] void StartWithoutDisplay() {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) unsetenv(name);
  static char program[] = "/usr/bin/informe";
  char* argv[] = {program, nullptr};
  int argc = 1;
  const bool started = gfx::StartApplicationWith(argc, argv, [](int&, char**) { std::_Exit(4); });
  std::_Exit(started ? 5 : 3);
}

// Without any display named, nothing is made and the program says so under its own name.
TEST(StartFailure, WithoutADisplayTheProgramSaysSoUnderItsName) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(StartWithoutDisplay(), ::testing::ExitedWithCode(3),
              "informe: no se puede abrir la pantalla \\(no display\\)\n");
}

TEST(Start, AnApplicationRunningIsKept) {
  QCoreApplication* running = QCoreApplication::instance();
  ASSERT_NE(running, nullptr);
  int argc = 1;
  static char program[] = "pagina";
  char* argv[] = {program, nullptr};
  EXPECT_TRUE(gfx::StartGraphics(argc, argv));
  EXPECT_EQ(QCoreApplication::instance(), running);
}

}  // namespace
