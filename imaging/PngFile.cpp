#include "imaging/PngFile.h"

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include <png.h>

#include "base/Errors.h"
#include "imaging/PictureFile.h"

namespace velmora {
namespace {

// libpng reports a fatal error by calling the error function, which must not
// return: it jumps back into Guarded below, past libpng's C frames, which
// an exception must not cross.
struct Reader {
  std::string_view bytes;
  std::size_t offset = 0;
  std::string message;
  std::jmp_buf jump;
};

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  auto* reader = static_cast<Reader*>(png_get_error_ptr(png));
  reader->message = message ? message : "";
  std::longjmp(reader->jump, 1);
}

// The program shows no warnings (a damaged ancillary chunk is skipped).
void OnWarning(png_structp, png_const_charp) {}

void ReadBytes(png_structp png, png_bytep out, png_size_t count) {
  auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
  if (count > reader->bytes.size() - reader->offset) png_error(png, "the file ends early");
  std::memcpy(out, reader->bytes.data() + reader->offset, count);
  reader->offset += count;
}

// Frees libpng's state however the work ends.
struct Decoder {
  Decoder() {
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader, OnError, OnWarning);
    if (png) info = png_create_info_struct(png);
  }
  ~Decoder() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  Reader reader;
  png_structp png = nullptr;
  png_infop info = nullptr;
};

// Runs a step of libpng calls; false when libpng failed. The jump skips the
// step's frame, so the step may own nothing that needs destroying.
template <class Step>
bool Guarded(Reader& reader, Step& step) {
  if (setjmp(reader.jump)) return false;
  step();
  return true;
}

[[noreturn]] void ThrowPngError(const Reader& reader) {
  throw Error("PNG error: " + (reader.message.empty() ? std::string("unreadable file") : reader.message));
}

}  // namespace

Bitmap DecodePng(std::string_view bytes, Pixel matte) {
  Decoder codec;
  if (!codec.png || !codec.info) throw OutOfMemoryError();
  png_structp png = codec.png;
  png_infop info = codec.info;
  codec.reader.bytes = bytes;
  int width = 0, height = 0, passes = 1;
  auto start = [&] {
    png_set_read_fn(png, &codec.reader, ReadBytes);
    png_read_info(png, info);
    width = static_cast<int>(png_get_image_width(png, info));
    height = static_cast<int>(png_get_image_height(png, info));
    // Refused before the picture asks for the memory; libpng keeps only a
    // row or two besides.
    CheckPictureFits(png_get_image_width(png, info), png_get_image_height(png, info),
                     PictureBytes(width, height));
    // Every kind becomes 8-bit blue, green, red, alpha.
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4) png_error(png, "unexpected row layout");
  };
  if (!Guarded(codec.reader, start)) ThrowPngError(codec.reader);

  Bitmap bitmap = Bitmap::Uninitialized(width, height);
  // An interlaced file's later passes add to the rows of the earlier ones.
  if (passes > 1) bitmap.Fill(0);
  auto read = [&] {
    for (int pass = 0; pass < passes; ++pass)
      for (int y = 0; y < height; ++y) png_read_row(png, reinterpret_cast<png_bytep>(bitmap.Row(y)), nullptr);
    png_read_end(png, nullptr);
  };
  if (!Guarded(codec.reader, read)) ThrowPngError(codec.reader);
  for (int y = 0; y < height; ++y) {
    Pixel* row = bitmap.Row(y);
    LayOverMatte(reinterpret_cast<const std::uint8_t*>(row), row, width, matte);
  }
  return bitmap;
}

}  // namespace velmora
