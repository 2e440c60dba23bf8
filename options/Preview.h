#pragma once
// The options window's preview of a wallpaper: the picture file read by its
// extension and scaled smoothly to the preview's size.
#include <string>

#include "imaging/Bitmap.h"

namespace velmora {

inline constexpr int kPreviewWidth = 125;
inline constexpr int kPreviewHeight = 93;

// ".jpg" or ".jpeg", in any letter case.
bool IsJpegFileName(const std::string& path);

// The picture at `path` as width × height pixels. A ".jpg" or ".jpeg" file is
// decoded as JPEG; any other extension raises
// "Unknown picture file extension (.<ext>)". File and JPEG errors are raised
// with their messages.
Bitmap LoadPreview(const std::string& path, int width = kPreviewWidth, int height = kPreviewHeight);

}  // namespace velmora
