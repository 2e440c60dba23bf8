#include "program/Wallpaper.h"

#include <windows.h>

#include <utility>

#include "base/CodePage.h"
#include "base/Errors.h"
#include "base/SystemError.h"
#include "winbase/Handles.h"

namespace velmora {
namespace {

void WriteValue(HKEY key, const char* name, const std::string& value) {
  const std::wstring wide = Utf8ToWide(value);
  if (RegSetValueExW(key, Utf8ToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                     static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
    throw Error(Format("Failed to set data for '%s'", name));
}

// The system call itself, replaceable by the tests (Wine takes any path).
DesktopWallpaperCall systemCall = [](std::wstring& path) {
  return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != FALSE;
};

void Apply(const std::string& path, bool tile, const char* style) {
  HKEY raw = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, Utf8ToWide(kDesktopKey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &raw, nullptr) != ERROR_SUCCESS)
    throw Error(Format("Failed to set data for '%s'", "Wallpaper"));
  {
    const UniqueRegKey key(raw);
    WriteValue(key.Get(), "Wallpaper", path);
    WriteValue(key.Get(), "TileWallpaper", tile ? "1" : "0");
    if (style) WriteValue(key.Get(), "WallpaperStyle", style);
  }
  // The path itself, not a null one: a null path resets the system's default
  // wallpaper on current Windows versions.
  std::wstring buffer = Utf8ToWide(path);
  SetLastError(0);
  if (!systemCall(buffer)) {
    // Not reported as set: the desktop still shows the previous picture.
    const std::string reason = GetLastError() ? LastSystemErrorText() : "Windows gave no reason.";
    throw Error(Format("Windows did not take \"%s\" as the wallpaper: %s", path.c_str(), reason.c_str()));
  }
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

DesktopWallpaperCall ReplaceDesktopWallpaperCall(DesktopWallpaperCall call) {
  return std::exchange(systemCall, std::move(call));
}

}  // namespace velmora
