// The JPEG decoder with the program's error handling on any bytes, whole and
// reduced as the options window's preview decodes it.
#include <cstddef>
#include <cstdint>

#include "base/Errors.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/PictureChecks.h"
#include "imaging/JpegFile.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Input input(data, size);
  Bitmap picture;
  try {
    picture = DecodeJpeg(input.Bytes());
  } catch (const Error&) {
    return 0;
  }
  fuzz::CheckPixels(picture);
  fuzz::CheckReduced(picture, [&](int minWidth, int minHeight) {
    return DecodeJpegReduced(input.Bytes(), minWidth, minHeight);
  });
  return 0;
}
