// The WebP decoder with the program's error handling on any bytes, whole and
// reduced as the preview and a placed wallpaper decode it.
#include <cstddef>
#include <cstdint>

#include "base/Errors.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/PictureChecks.h"
#include "imaging/WebpFile.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Input input(data, size);
  Bitmap picture;
  try {
    picture = DecodeWebp(input.Bytes(), 0, 0, RgbPixel(1, 2, 3));
  } catch (const Error&) {
    return 0;
  }
  fuzz::CheckPixels(picture);
  fuzz::CheckReduced(picture, [&](int minWidth, int minHeight) {
    return DecodeWebp(input.Bytes(), minWidth, minHeight);
  });
  return 0;
}
