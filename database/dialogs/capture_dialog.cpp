#include "database/dialogs/capture_dialog.h"

#include "database/capture.h"
#include "database/value_scan.h"
#include "dialogs/dialog_skeleton.h"
#include "dialogs/messages.h"
#include "platform/ui/ui.h"

void CaptureFormData() {
  if (valueScanBusy) return;
  // The page and the link stay as they are from the values read to the record written.
  ValueScanGuard busy;
  const CapturePlan plan = PrepareCapture();
  if (!plan.ask) {
    Tell(nullptr, plan.message);
    return;
  }
  if (ui::MessageBox(nullptr, plan.message, kMessageTitle, ui::Buttons::YesNo) != ui::Answer::Yes)
    return;
  Tell(nullptr, ArchiveCapturedForm(plan.values).message);
}
