#pragma once
// The options window's preview of a wallpaper: the picture file read by its
// extension and scaled smoothly to the preview's size.
#include <string>

#include "imaging/Bitmap.h"

namespace velmora {

inline constexpr int kPreviewWidth = 125;
inline constexpr int kPreviewHeight = 93;

// ".jpg", ".jpeg", ".png" or ".webp", in any letter case.
bool IsPictureFileName(const std::string& path);

// The picture at `path` as width × height pixels. A file of a picture's name
// is decoded by its content; any other extension raises
// "Unknown picture file extension (.<ext>)". File and decoding errors are
// raised with their messages. A see-through part shows `matte`, as on the
// desktop.
Bitmap LoadPreview(const std::string& path, int width = kPreviewWidth, int height = kPreviewHeight,
                   Pixel matte = kBlackPixel);

}  // namespace velmora
