#include "database/value_scan.h"

int32_t valueScanBusy = 0;
std::function<void()> valueScanStep;

void ResetValueScans() { valueScanBusy = 0; }
