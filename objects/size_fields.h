// The size the squares-and-circles and arrows dialogs ask for on "Aceptar": a pair of fields
// in pixels and a pair in millimetres, of which one pair is filled and the other left empty.
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"

// Sizes end in 16-bit settings and stored fields, so a pair beyond this is refused.
constexpr int32_t kLargestSizePixels = 32767;

struct SizeFieldIds {
  int firstPixels, secondPixels;            // width and height, or length and head
  int firstMillimetres, secondMillimetres;
};

// What the four fields say, read wide.
struct SizeVerdict {
  int mixedMessages = 0;    // "pixels and millimetres at once" messages to show (0, 1 or 2)
  bool incomplete = false;  // neither pair is filled
  bool tooLarge = false;    // the pair in use gives more pixels than 16 bits hold
  bool sizeTaken = false;   // first and second hold the pair in use, in pixels
  bool accepted = false;    // one pair filled, the other empty: the dialog may close
  int16_t first = 0, second = 0;
};

// Values as the fields give them, already rounded to whole numbers (0 for an empty field).
SizeVerdict JudgeSizeFields(long double firstPx, long double secondPx, long double firstMm,
                            long double secondMm);

// Reads the fields, shows the messages the verdict calls for and, when a pair was taken,
// puts it into `first` and `second` even if the dialog stays open. True when it may close.
bool ReadSizeFields(ui::Window dialog, const SizeFieldIds& ids, int16_t& first, int16_t& second);
