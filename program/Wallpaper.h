#pragma once
// Making a picture file the current user's desktop wallpaper.
#include <string>

namespace velmora {

inline constexpr char kDesktopKey[] = "Control Panel\\Desktop";

// Records the file and the tiling in the user's desktop settings and has the
// system show it. Tiling also sets the style that makes the system tile (any
// other style would scale the picture and move every stroke off its place).
// Raises "Failed to set data for '<value>'" when the settings cannot be written.
void ApplyWallpaper(const std::string& path, bool tile);

}  // namespace velmora
