// The lock file of a value file (`<name>.zbd.lock`) of any content, found by a capture that may
// not wait for it, new or left unchanged for an hour: the capture never crashes or hangs, names
// the desk the file names, and either leaves the lock file as it found it and writes nothing,
// or takes it over, writes its record and leaves no lock file.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "database/capture.h"
#include "database/database_files.h"
#include "fuzz/database_fuzz.h"
#include "page/settings.h"
#include "platform/files/files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string folder = DatabaseFuzzFolder("Bloqueo");
  const std::string valueFile = folder + "Bloqueo.zbd";
  const std::string lockFile = valueFile + ".lock";
  static const bool defined = [&] {
    WriteFuzzFile(folder + "Bloqueo.z04", EncodeFieldDefinition({1, "Campo", 3, 10, 0, ""}));
    return true;
  }();
  (void)defined;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  WriteFuzzFile(valueFile, "");
  WriteFuzzFile(lockFile, bytes);
  if (size > 0 && (data[0] & 1) != 0) {
    namespace fs = std::filesystem;
    fs::last_write_time(lockFile, fs::file_time_type::clock::now() - std::chrono::hours(1));
  }
  linkedDatabaseFolder = folder;
  captureLockWaitMs = 0;
  const ArchiveResult result = ArchiveCapturedForm({{"Campo", "x"}});
  std::string left;
  const bool lockLeft = files::ReadWholeFile(lockFile, 1 << 20, left) == 0;
  if (result.written ? lockLeft : !lockLeft || left != bytes) __builtin_trap();
  if (result.written != (files::FileLength(valueFile) == kZbdEntryLength)) __builtin_trap();
  files::DeleteFile(lockFile);
  return 0;
}
