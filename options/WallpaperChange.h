#pragma once
// The wallpaper change: a JPEG picture under the user's drawing becomes the
// desktop wallpaper.
#include <string>

namespace velmora {

inline constexpr char kChangeStatus[] = "Please, whate while changing wallpaper ...";

// Decodes the picture into the background layer, lays the drawing over it,
// saves "1.bmp" and applies it tiled. While the options window is open it is
// hidden and the status message shows instead; both are put back whether the
// change succeeds or fails. An error leaves "1.bmp" and the wallpaper as they
// were and is raised to the caller.
void ChangeWallpaper(const std::string& path);

}  // namespace velmora
