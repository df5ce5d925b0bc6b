// "Fiestas.log" on any bytes, read into the holiday list and its colour table.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "objects/holidays.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::Prepare();
  fuzzing::WriteInput("Fiestas.log", data, size);
  LoadHolidays();
  return 0;
}
