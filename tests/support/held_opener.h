// A desktop opener of the tests' own, held until the test lets it end: a shell script in place
// of the desktop's that notes the file it was given and then waits for a gate file holding its
// exit code. So a test decides when an opener ends and how, and never depends on how long one
// takes. It also ends once the test program is gone, so that none outlives a run.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/desktop/desktop.h"
#include "tests/support/test_env.h"

namespace testopener {

class HeldOpener {
 public:
  HeldOpener() : folder_(testenv::NewFolder("held-opener")) {
    const std::string script = folder_ + "opener";
    std::ofstream(script, std::ios::binary) << "#!/bin/sh\n"
                                               "printf '%s\\n' \"$1\" >>'"
                                            << folder_
                                            << "asked'\n"
                                               "while [ ! -e '"
                                            << folder_
                                            << "gate' ]; do\n"
                                               "  kill -0 $PPID 2>/dev/null || exit 0\n"
                                               "  sleep 0.02\n"
                                               "done\n"
                                               "exit \"$(cat '"
                                            << folder_ << "gate')\"\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    desktop::testing::UseOpener(script);
  }
  HeldOpener(const HeldOpener&) = delete;
  HeldOpener& operator=(const HeldOpener&) = delete;
  // Lets the openers still held end, as having opened their files, and puts the desktop's
  // opener back, so that no opener or verdict outlives the test.
  ~HeldOpener() {
    if (!std::filesystem::exists(folder_ + "gate")) Let(0);
    EXPECT_TRUE(desktop::testing::WaitForOpeners()) << "an opener hangs";
    desktop::testing::UseOpener("");
  }

  // Lets every opener started end with `exitCode` (0: it opened the file), and every one
  // started from now on end at once.
  void Let(int exitCode) {
    // Written whole before it appears, so that an opener never reads it half written.
    std::ofstream(folder_ + "gate.new") << exitCode << "\n";
    std::filesystem::rename(folder_ + "gate.new", folder_ + "gate");
  }

  // The files the openers were given, in the order they started; whole once they have ended.
  std::vector<std::string> Asked() const {
    std::ifstream in(folder_ + "asked", std::ios::binary);
    std::vector<std::string> files;
    for (std::string line; std::getline(in, line);) files.push_back(line);
    return files;
  }

  // Waits until `count` openers have noted their files, so that a test may end one knowing it
  // runs; false when that has not happened after `hangSeconds`, which only a hanging opener
  // takes.
  bool WaitForAsked(size_t count, int hangSeconds = 60) const {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(hangSeconds);
    while (NotedLines() < count) {
      if (std::chrono::steady_clock::now() > giveUp) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }

 private:
  // The lines the openers have noted whole.
  size_t NotedLines() const {
    std::ifstream in(folder_ + "asked", std::ios::binary);
    const std::string noted((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return static_cast<size_t>(std::count(noted.begin(), noted.end(), '\n'));
  }

  std::string folder_;
};

}  // namespace testopener
