// Recognising a picture file by its content, then reading it by the kind
// found, as the program does with a wallpaper that is not its own.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/Errors.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/PictureChecks.h"
#include "imaging/BmpFile.h"
#include "imaging/PictureFile.h"
#include "imaging/PictureIo.h"
#include "imaging/WallpaperCompose.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Input input(data, size);
  const std::string_view bytes = input.Bytes();
  const PictureKind kind = SniffPicture(bytes);
  // The first 18 bytes decide, from memory or from the file.
  if (SniffPicture(bytes.substr(0, 18)) != kind) fuzz::Fail("bytes past the head changed the kind");
  const std::string& path = input.File();
  if (SniffPictureFile(path) != kind) fuzz::Fail("the file sniffs as another kind than its bytes");
  const OutsideWallpaper outside = ClassifyOutsideWallpaper(path, "/nonexistent/");
  const OutsideWallpaper expected = IsWallpaperKind(kind)       ? OutsideWallpaper::kPicture
                                    : kind == PictureKind::kBmp ? OutsideWallpaper::kBmp
                                                                : OutsideWallpaper::kOther;
  if (outside != expected) fuzz::Fail("an outside wallpaper classified against its content");
  try {
    if (IsWallpaperKind(kind)) fuzz::CheckPixels(ReadPicture(path));
    if (kind == PictureKind::kBmp) fuzz::CheckPixels(ReadBmpFile(path));
  } catch (const Error&) {
  }
  return 0;
}
