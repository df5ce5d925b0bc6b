#include "page/shared_helpers.h"

#include <cerrno>
#include <string>

#include "platform/files/files.h"

void ClearGraphicTarget(gfx::Surface& target) {
  gfx::Select(target);
  gfx::Clear(target, gfx::kWhite);
}

void PutLittleEndianField(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

uint32_t LittleEndianField(std::string_view in, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i)
    if (at + i < in.size()) v |= static_cast<uint32_t>(static_cast<unsigned char>(in[at + i])) << (8 * i);
  return v;
}

int32_t FileExists(std::string_view path) {
  // A missing file is an answer, not an error: nothing is left in errno for the next caller.
  const int before = errno;
  const int32_t exists = files::FileExists(path) ? -1 : 0;
  errno = before;
  return exists;
}

std::string FileRefusalText(std::string_view what, std::string_view path, int error) {
  return std::string(what) + " <" + std::string(path) + "> ...\r\n" + files::ErrorText(error);
}

gfx::FontKey MakeSystemFont(std::string_view face, int points, int32_t styleFlags, int charset,
                            int escapement) {
  gfx::FontSpec spec;
  spec.face = std::string(face.substr(0, 31));
  spec.points = points == 0 ? 8 : points;
  spec.styleFlags = styleFlags & 31;
  spec.charset = charset;
  spec.escapement = escapement;
  return gfx::MakeFont(spec);
}
