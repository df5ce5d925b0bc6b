// What every value scan shares (a record fill, a capture, a search, a record list): the busy
// flag that holds while one runs, and the step a long scan takes between cells so that the
// windows keep painting. The cores know no window: the designer sets the step.
#pragma once
#include <cstdint>
#include <functional>

// 1 while a value scan runs. The commands that change the page store, the link or the search
// results do nothing while it is set, and the record browser greys its controls.
extern int32_t valueScanBusy;

// Called by the scans now and then (the designer lets pending window messages run); empty in
// the tests and the fuzz targets.
extern std::function<void()> valueScanStep;

// Sets valueScanBusy for its lifetime and puts back what it found.
class ValueScanGuard {
 public:
  ValueScanGuard() : saved_(valueScanBusy) { valueScanBusy = 1; }
  ~ValueScanGuard() { valueScanBusy = saved_; }
  ValueScanGuard(const ValueScanGuard&) = delete;
  ValueScanGuard& operator=(const ValueScanGuard&) = delete;

 private:
  int32_t saved_;
};

// No scan running, as at program start (the step stays as the designer set it).
void ResetValueScans();

// One step of a scan: runs valueScanStep when it is set.
inline void StepValueScan() {
  if (valueScanStep) valueScanStep();
}
