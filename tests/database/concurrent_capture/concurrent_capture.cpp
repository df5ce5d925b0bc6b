// A second program capturing into a database folder at the same time as another, for the tests
// of captures at once. Arguments: the linked folder, a name for this program and how many
// records to capture, then any of:
//   --no-locks        every capture finds a folder that keeps no locks (ENOLCK) and takes no
//                     lock file (EACCES): it captures without a lock
//   --locks-exclude-nothing   locks on the value file are had but hold off no one, as on a
//                     folder whose every client keeps its locks to itself
//   --stale-appends   appends go at the length the capture last saw, as on a folder whose every
//                     client keeps its own view of a file's length
//   --pause <us>      every append sleeps that many microseconds between its look at the value
//                     file and its write, so that the programs' appends overlap there
//   --killed-holding  the program is killed as its first capture is about to write, holding the
//                     database's lock file
// Each capture writes a line "<record number> <customer>" to standard output, and one that other
// desks kept giving its numbers to at the same moment "0 <customer>"; a capture that writes
// nothing for any other reason prints its message and ends the program with 1.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <thread>

#include "database/capture.h"
#include "database/value_scan.h"
#include "page/settings.h"
#include "platform/files/files.h"

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  linkedDatabaseFolder = argv[1];
  const std::string name = argv[2];
  const int count = std::atoi(argv[3]);
  bool noLocks = false;
  for (int k = 4; k < argc; ++k) {
    const std::string_view option = argv[k];
    if (option == "--no-locks") {
      noLocks = true;
    } else if (option == "--locks-exclude-nothing") {
      files::testing::LocksExcludeNothing();
    } else if (option == "--stale-appends") {
      files::testing::AppendsAtLengthSeen();
    } else if (option == "--pause" && k + 1 < argc) {
      files::testing::PauseBeforeAppendWrites(std::atoi(argv[++k]));
    } else if (option == "--killed-holding") {
      files::testing::BeforeNextEndWrite([] { std::raise(SIGKILL); });
    } else {
      return 2;
    }
  }
  // The designer lets its windows run while a scan reads the value file: a pause stands in for
  // them, long enough for the other program to write between a count and its append.
  valueScanStep = [] { std::this_thread::sleep_for(std::chrono::microseconds(300)); };
  for (int k = 1; k <= count; ++k) {
    if (noLocks) {
      files::testing::ArmFailure(files::testing::Step::Lock, ENOLCK);
      files::testing::ArmFailure(files::testing::Step::LockFile, EACCES);
    }
    const std::string customer = name + std::to_string(k);
    const ArchiveResult result = ArchiveCapturedForm(
        {{"Cliente", customer}, {"Importe", std::to_string(k)}, {"Pagado", "1"}});
    if (!result.written && result.message.rfind("Otros puestos han grabado", 0) == 0) {
      std::cout << "0 " << customer << "\n";
      continue;
    }
    if (!result.written) {
      std::cout << result.message << std::endl;
      return 1;
    }
    std::cout << result.recordNumber << " " << customer << "\n";
  }
  return 0;
}
