// The reader of "wl.ini" on any file. The entries it reads must come back the
// same from the file the program writes of them, and the list operations of
// the options window must take them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "fuzz/FuzzSupport.h"
#include "options/WallpaperList.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Input input(data, size);
  std::vector<std::string> paths;
  try {
    paths = LoadWallpaperList(input.File());
  } catch (const Error&) {
    return 0;
  }
  for (const std::string& path : paths) {
    if (path.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) fuzz::Fail("an entry holds a line end or a NUL");
  }
  if (ParseWallpaperList(WallpaperListText(paths)) != paths) fuzz::Fail("the list written reads back different");
  if (DisplayNames(paths).size() != paths.size()) fuzz::Fail("a display name missing or extra");
  if (!paths.empty()) {
    const std::optional<size_t> next = NextWallpaperIndex(paths, paths.back());
    if (next && *next >= paths.size()) fuzz::Fail("the next wallpaper is outside the list");
  }
  return 0;
}
