#include "options/Preview.h"

#include "base/Errors.h"
#include "imaging/PictureFile.h"
#include "imaging/PictureIo.h"
#include "imaging/Scale.h"
#include "shellutil/PathUtil.h"

namespace velmora {
namespace {

// The file name's last extension without its dot; empty when the name has
// no dot.
std::string ExtensionOf(const std::string& path) {
  const std::string name = FileNameOf(path, true);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

}  // namespace

bool IsPictureFileName(const std::string& path) { return WallpaperKindOfName(path) != PictureKind::kNone; }

Bitmap LoadPreview(const std::string& path, int width, int height, Pixel matte) {
  if (!IsPictureFileName(path))
    throw Error(Format("Unknown picture file extension (.%s)", ExtensionOf(path).c_str()));
  return ScaleSmooth(ReadPicture(path, {.minWidth = width, .minHeight = height, .matte = matte}), width, height);
}

}  // namespace velmora
