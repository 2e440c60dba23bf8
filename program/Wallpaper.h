#pragma once
// Making a picture file the current user's desktop wallpaper.
#include <functional>
#include <string>

#include "imaging/DesktopFrame.h"

namespace velmora {

inline constexpr char kDesktopKey[] = "Control Panel\\Desktop";

// Records the file and the tiling in the user's desktop settings and has the
// system show it. Tiling also sets the style that makes the system tile (any
// other style would scale the picture and move every stroke off its place).
// Raises "Failed to set data for '<value>'" when the settings cannot be written,
// and the system's reason when it refuses the picture.
void ApplyWallpaper(const std::string& path, bool tile);
// The program's own composed picture for the monitors of `frame`: tiled on
// one monitor, spanned over several ("1.bmp" is then exactly their bounding
// rectangle).
void ApplyWallpaper(const std::string& path, const DesktopFrame& frame);

// The call that has the system show the wallpaper (SPI_SETDESKWALLPAPER): true
// when taken, the reason in the thread's last error otherwise. Tests replace
// it; the previous one is returned.
using DesktopWallpaperCall = std::function<bool(std::wstring& path)>;
DesktopWallpaperCall ReplaceDesktopWallpaperCall(DesktopWallpaperCall call);

}  // namespace velmora
