// Small helpers the tests share: raw file bytes and a Spanish process locale.
#pragma once
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/files/files.h"
#include "tests/support/test_env.h"

namespace testfiles {

inline void WriteRaw(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadRaw(const std::string& path) {
  std::string data;
  EXPECT_EQ(files::ReadWholeFile(path, 1 << 30, data), 0) << path;
  return data;
}

// Switches the process to Spanish (decimal separator ",", messages in Spanish): the machine's
// own locale, else the one the test run built once (VELUNA_TEST_LOCALES, the folder CTest's
// spanish_locale step builds it into), else one built in the test folder.
inline bool UseSpanishLocale() {
  for (const char* name : {"es_ES.UTF-8", "es_ES.utf8"}) {
    if (std::setlocale(LC_ALL, name)) return true;
  }
#ifdef VELUNA_TEST_LOCALES
  setenv("LOCPATH", VELUNA_TEST_LOCALES, 1);
  if (std::setlocale(LC_ALL, "es_ES.UTF-8")) return true;
#endif
  const std::string folder = testenv::NewFolder("locales");
  const std::string make = "localedef -i es_ES -f UTF-8 '" + folder + "es_ES.UTF-8' >/dev/null 2>&1";
  if (std::system(make.c_str()) != 0) return false;
  setenv("LOCPATH", folder.c_str(), 1);
  return std::setlocale(LC_ALL, "es_ES.UTF-8") != nullptr;
}

}  // namespace testfiles
