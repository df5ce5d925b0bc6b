// 1252 texts to and from Qt's strings. Only the platform layer includes this.
#pragma once
#include <QString>
#include <string>
#include <string_view>

#include "platform/text/text.h"

namespace text {

inline QString ToQ(std::string_view cp1252) {
  std::u16string u = ToUtf16(cp1252);
  return QString(reinterpret_cast<const QChar*>(u.data()), static_cast<qsizetype>(u.size()));
}

inline std::string FromQ(const QString& s, char fallback = '?') {
  return FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()),
                                       static_cast<size_t>(s.size())),
                   fallback);
}

// A file path for Qt: 1252 bytes as the file system's own UTF-8 names.
inline QString PathToQ(std::string_view cp1252) { return ToQ(cp1252); }

}  // namespace text
