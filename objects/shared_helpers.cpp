#include "objects/shared_helpers.h"

#include <string>

#include "platform/files/files.h"

void ClearGraphicTarget(gfx::Surface& target) {
  gfx::Select(target);
  gfx::Clear(target, gfx::kWhite);
}

int32_t FileExists(std::string_view path) { return files::FileExists(path) ? -1 : 0; }

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
