// The PNG decoder with the program's error handling on any bytes, and the
// same bytes read as a wallpaper's file is.
#include <cstddef>
#include <cstdint>

#include "base/Errors.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/PictureChecks.h"
#include "imaging/PictureFile.h"
#include "imaging/PngFile.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Input input(data, size);
  Bitmap picture;
  try {
    picture = DecodePng(input.Bytes(), RgbPixel(1, 2, 3));
  } catch (const Error&) {
    return 0;
  }
  fuzz::CheckPixels(picture);
  Bitmap again;
  try {
    again = DecodePicture(input.Bytes(), {.matte = RgbPixel(1, 2, 3), .nameKind = PictureKind::kPng});
  } catch (const Error&) {
    fuzz::Fail("a PNG that decodes alone fails to decode as a wallpaper's picture");
  }
  if (again.Width() != picture.Width() || again.Height() != picture.Height())
    fuzz::Fail("the same PNG decoded to another size");
  return 0;
}
