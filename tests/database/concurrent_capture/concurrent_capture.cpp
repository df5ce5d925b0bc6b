// A second program capturing into a database folder at the same time as another, for the test
// of captures at once. Arguments: the linked folder, a name for this program and how many
// records to capture. Each capture writes a line "<record number> <customer>" to standard
// output; a capture that writes nothing prints its message and ends the program with 1.
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>

#include "database/capture.h"
#include "database/value_scan.h"
#include "page/settings.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  linkedDatabaseFolder = argv[1];
  const std::string name = argv[2];
  const int count = std::atoi(argv[3]);
  // The designer lets its windows run while a scan reads the value file: a pause stands in for
  // them, long enough for the other program to write between a count and its append.
  valueScanStep = [] { std::this_thread::sleep_for(std::chrono::microseconds(300)); };
  for (int k = 1; k <= count; ++k) {
    const std::string customer = name + std::to_string(k);
    const ArchiveResult result = ArchiveCapturedForm(
        {{"Cliente", customer}, {"Importe", std::to_string(k)}, {"Pagado", "1"}});
    if (!result.written) {
      std::cout << result.message << std::endl;
      return 1;
    }
    std::cout << result.recordNumber << " " << customer << "\n";
  }
  return 0;
}
