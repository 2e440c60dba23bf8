#include "program/Wallpaper.h"

#include <windows.h>

#include "base/CodePage.h"
#include "base/Errors.h"

namespace velmora {
namespace {

void WriteValue(HKEY key, const char* name, const std::string& value) {
  const std::wstring wide = Utf8ToWide(value);
  if (RegSetValueExW(key, Utf8ToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                     static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
    throw Error(Format("Failed to set data for '%s'", name));
}

void Apply(const std::string& path, bool tile, const char* style) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, Utf8ToWide(kDesktopKey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    throw Error(Format("Failed to set data for '%s'", "Wallpaper"));
  try {
    WriteValue(key, "Wallpaper", path);
    WriteValue(key, "TileWallpaper", tile ? "1" : "0");
    if (style) WriteValue(key, "WallpaperStyle", style);
  } catch (...) {
    RegCloseKey(key);
    throw;
  }
  RegCloseKey(key);
  // The path itself, not a null one: a null path resets the system's default
  // wallpaper on current Windows versions.
  std::wstring buffer = Utf8ToWide(path);
  SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, buffer.data(), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

}  // namespace

void ApplyWallpaper(const std::string& path, bool tile) { Apply(path, tile, tile ? "0" : nullptr); }

void ApplyWallpaper(const std::string& path, const DesktopFrame& frame) {
  // One picture of the monitors' bounding rectangle, spanned, shows each
  // monitor its own part at 1:1.
  if (frame.Spanned()) {
    Apply(path, false, "22");
  } else {
    ApplyWallpaper(path, true);
  }
}

}  // namespace velmora
