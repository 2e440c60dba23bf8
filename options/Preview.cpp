#include "options/Preview.h"

#include "base/Errors.h"
#include "imaging/JpegFile.h"
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

bool IsJpegFileName(const std::string& path) {
  std::string extension = ExtensionOf(path);
  for (char& c : extension)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return extension == "jpg" || extension == "jpeg";
}

Bitmap LoadPreview(const std::string& path, int width, int height) {
  if (!IsJpegFileName(path))
    throw Error(Format("Unknown picture file extension (.%s)", ExtensionOf(path).c_str()));
  return ScaleSmooth(DecodeJpegReduced(ReadPictureFile(path), width, height), width, height);
}

}  // namespace velmora
