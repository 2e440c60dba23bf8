#include "imaging/WebpFile.h"

#include <cstdint>
#include <cstddef>

#include <webp/decode.h>

#include "base/Errors.h"
#include "imaging/PictureFile.h"

namespace velmora {
namespace {

[[noreturn]] void ThrowWebpError(VP8StatusCode status) {
  switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY:
      throw OutOfMemoryError();
    case VP8_STATUS_NOT_ENOUGH_DATA:
      throw Error("WebP error: the file ends early");
    case VP8_STATUS_UNSUPPORTED_FEATURE:
      throw Error("WebP error: a kind of WebP picture the program does not read");
    default:
      throw Error("WebP error: the picture's data is damaged");
  }
}

// Frees the decoder's output however the work ends.
struct Output {
  explicit Output(WebPDecBuffer& decoded) : buffer(decoded) {}
  ~Output() { WebPFreeDecBuffer(&buffer); }
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;
  WebPDecBuffer& buffer;
};

}  // namespace

Bitmap DecodeWebp(std::string_view bytes, int minWidth, int minHeight, Pixel matte) {
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config)) throw Error("WebP error: the decoder does not match its header");
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const VP8StatusCode status = WebPGetFeatures(data, bytes.size(), &config.input);
  if (status != VP8_STATUS_OK) ThrowWebpError(status);
  if (config.input.has_animation) throw Error("WebP error: animated pictures are not read");
  const int fullWidth = config.input.width, fullHeight = config.input.height;
  const int reduction = ReductionFor(fullWidth, fullHeight, minWidth, minHeight);
  const int width = (fullWidth + reduction - 1) / reduction, height = (fullHeight + reduction - 1) / reduction;
  if (reduction > 1) {
    config.options.use_scaling = 1;
    config.options.scaled_width = width;
    config.options.scaled_height = height;
  }
  // Refused before the decoder or the picture asks for the memory: the
  // decoder's output and the picture, and a lossless file's whole picture
  // inside the decoder besides.
  const bool lossless = config.input.format == 2;
  CheckPictureFits(fullWidth, fullHeight,
                   PictureBytes(width, height) * 2 + (lossless ? PictureBytes(fullWidth, fullHeight) : 0));

  config.output.colorspace = MODE_BGRA;
  Output output(config.output);
  const VP8StatusCode decoded = WebPDecode(data, bytes.size(), &config);
  if (decoded != VP8_STATUS_OK) ThrowWebpError(decoded);

  const WebPRGBABuffer& rgba = config.output.u.RGBA;
  Bitmap bitmap = Bitmap::Uninitialized(width, height);
  for (int y = 0; y < height; ++y)
    LayOverMatte(rgba.rgba + static_cast<std::size_t>(y) * static_cast<std::size_t>(rgba.stride), bitmap.Row(y),
                 width, matte);
  return bitmap;
}

}  // namespace velmora
