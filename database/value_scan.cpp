#include "database/value_scan.h"

#include "page/start_values.h"

int32_t valueScanBusy = 0;
std::function<void()> valueScanStep;

namespace {

StartValues startValues(valueScanBusy, valueScanStep);

}  // namespace

void ResetValueScans() { valueScanBusy = 0; }
