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
  if (picture.Width() < 16 || picture.Height() < 16) return 0;
  const int minWidth = picture.Width() / 3;
  const int minHeight = picture.Height() / 3;
  Bitmap reduced;
  try {
    reduced = DecodeWebp(input.Bytes(), minWidth, minHeight);
  } catch (const Error&) {
    fuzz::Fail("a picture that decodes whole fails to decode reduced");
  }
  fuzz::CheckPixels(reduced);
  if (reduced.Width() < minWidth || reduced.Height() < minHeight || reduced.Width() > picture.Width() ||
      reduced.Height() > picture.Height())
    fuzz::Fail("the reduced picture is outside the sizes asked for");
  return 0;
}
