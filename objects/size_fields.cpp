#include "objects/size_fields.h"

#include "dialogs/dialog_skeleton.h"
#include "dialogs/messages.h"
#include "platform/numbers/numbers.h"

SizeVerdict JudgeSizeFields(long double firstPx, long double secondPx, long double firstMm,
                            long double secondMm) {
  SizeVerdict v;
  const bool pixels = firstPx > 0 && secondPx > 0;
  const bool millimetres = firstMm > 0 && secondMm > 0;
  if (pixels && (firstMm > 0 || secondMm > 0)) ++v.mixedMessages;
  if (millimetres && (firstPx > 0 || secondPx > 0)) ++v.mixedMessages;
  if (!pixels && !millimetres) {
    v.incomplete = true;
    return v;
  }
  // Millimetres win when both pairs are filled, as the dialog then stays open anyway.
  long double first = firstPx, second = secondPx;
  if (millimetres) {
    first = numbers::RoundHalfEven(firstMm * numbers::kMillimetreToPixel);
    second = numbers::RoundHalfEven(secondMm * numbers::kMillimetreToPixel);
  }
  if (first > kLargestSizePixels || second > kLargestSizePixels) {
    v.tooLarge = true;
    return v;
  }
  v.sizeTaken = true;
  v.first = static_cast<int16_t>(first);
  v.second = static_cast<int16_t>(second);
  const bool otherEmpty = millimetres ? firstPx == 0 && secondPx == 0 : firstMm == 0 && secondMm == 0;
  v.accepted = otherEmpty;
  return v;
}

bool ReadSizeFields(ui::Window dialog, const SizeFieldIds& ids, int16_t& first, int16_t& second) {
  const SizeVerdict v =
      JudgeSizeFields(FieldNumber(dialog, ids.firstPixels), FieldNumber(dialog, ids.secondPixels),
                      FieldNumber(dialog, ids.firstMillimetres), FieldNumber(dialog, ids.secondMillimetres));
  for (int i = 0; i < v.mixedMessages; ++i)
    Tell(dialog, "No puedes rellenar tama\xF1o en pixel y milimetros a la vez ...");
  if (v.incomplete) Tell(dialog, "Rellena Tama\xF1o en pixeles o milimetros ...\r\nGracias !!");
  if (v.tooLarge) Tell(dialog, "Tama\xF1o demasiado grande, como mucho 32767 pixeles ...");
  if (v.sizeTaken) {
    first = v.first;
    second = v.second;
  }
  return v.accepted;
}
