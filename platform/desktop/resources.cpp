#include "platform/desktop/resources_qt.h"

namespace desktop {
// First shape: no resources yet.
QImage ResourceImage(std::string_view) { return QImage(); }
QByteArray ResourceSound(int) { return QByteArray(); }
}  // namespace desktop
