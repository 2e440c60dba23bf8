// The BMP reader on any bytes. A picture it reads must survive the program's
// own 24-bit writing and reading unchanged.
#include <cstddef>
#include <cstdint>

#include "base/Errors.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/PictureChecks.h"
#include "imaging/BmpFile.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Input input(data, size);
  Bitmap picture;
  try {
    picture = DecodeBmp(input.Bytes());
  } catch (const Error&) {
    return 0;
  }
  fuzz::CheckPixels(picture);
  input.EndWatch();
  // The round trip doubles the work: only for pictures of up to 256 K pixels.
  if (static_cast<std::int64_t>(picture.Width()) * picture.Height() > (1 << 18)) return 0;
  Bitmap again;
  try {
    again = DecodeBmp(EncodeBmp24(picture));
  } catch (const Error&) {
    fuzz::Fail("the program cannot read back its own BMP of a picture it read");
  }
  if (!fuzz::SamePixels(picture, again)) fuzz::Fail("the program's BMP of a picture reads back different");
  return 0;
}
