// "Capturar datos": the values filled into the page offered as a new record of the linked
// database, with the question and the messages of the capture.
#pragma once

// Asks whether to archive the captured values and reports what became of them. Does nothing
// while a value scan runs.
void CaptureFormData();
