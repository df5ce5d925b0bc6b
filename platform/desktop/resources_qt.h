// The program's own resources as images, for the platform layer's windows and menus.
#pragma once
#include <QByteArray>
#include <QImage>
#include <string_view>

namespace desktop {

// Icon "#200", "#201", "#701".."#707" and menu bitmaps "#300".."#326"; a null image for
// an unknown name.
QImage ResourceImage(std::string_view name);
// Sound "150" or "151" as a WAVE file in memory; empty for an unknown number.
QByteArray ResourceSound(int number);

}  // namespace desktop
