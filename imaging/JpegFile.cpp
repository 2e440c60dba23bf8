#include "imaging/JpegFile.h"

// jpeglib.h needs size_t and FILE declared first.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "base/Errors.h"
#include "imaging/PictureFile.h"
#include "imaging/PictureIo.h"

namespace velmora {
namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return.
// It jumps back into Guarded below: the library is C and may have no unwind
// information, so an exception must not pass through its frames.
struct ErrorManager {
  jpeg_error_mgr manager;  // first: libjpeg hands back a pointer to it
  std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr codec) {
  std::longjmp(reinterpret_cast<ErrorManager*>(codec->err)->jump, 1);
}

// The program shows no warnings.
void IgnoreMessage(j_common_ptr) {}

// libjpeg only warns when the data ends early and decodes the rest as grey.
// Before the last row of blocks of a scan that is a cut file, refused as
// damaged; within the last row (or a file short of its end marker alone) the
// picture is whole but for a few rows, and is taken.
void EmitMessage(j_common_ptr codec, int level) {
  if (level < 0 && codec->err->msg_code == JWRN_JPEG_EOF && codec->is_decompressor) {
    const auto* info = reinterpret_cast<j_decompress_ptr>(codec);
    if (info->total_iMCU_rows == 0 || info->input_iMCU_row + 1 < info->total_iMCU_rows) ErrorExit(codec);
  }
  if (level < 0) ++codec->err->num_warnings;
}

void InstallErrors(ErrorManager& errors) {
  jpeg_std_error(&errors.manager);
  errors.manager.error_exit = ErrorExit;
  errors.manager.emit_message = EmitMessage;
  errors.manager.output_message = IgnoreMessage;
}

[[noreturn]] void ThrowJpegError(const ErrorManager& errors) {
  throw Error(Format("JPEG error #%d", errors.manager.msg_code));
}

// Runs a step of libjpeg calls; false when libjpeg failed. The jump skips the
// step's frame, so the step may own nothing that needs destroying: pictures,
// buffers and the codec itself belong to the caller.
template <class Step>
bool Guarded(ErrorManager& errors, Step& step) {
  if (setjmp(errors.jump)) return false;
  step();
  return true;
}

// Frees libjpeg's state however the work ends.
struct Decompressor {
  Decompressor() {
    InstallErrors(errors);
    info.err = &errors.manager;
  }
  ~Decompressor() { jpeg_destroy_decompress(&info); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;

  jpeg_decompress_struct info{};
  ErrorManager errors{};
};

// An output buffer in memory owned here, not by the library, so it is freed
// after a failure too.
struct Destination {
  jpeg_destination_mgr manager;  // first: libjpeg hands back a pointer to it
  unsigned char* buffer;
  std::size_t capacity;
  std::size_t size;
};

void GrowDestination(j_compress_ptr info, std::size_t capacity) {
  auto* destination = reinterpret_cast<Destination*>(info->dest);
  auto* grown = static_cast<unsigned char*>(std::realloc(destination->buffer, capacity));
  if (!grown) ERREXIT(info, JERR_OUT_OF_MEMORY);
  destination->manager.next_output_byte = grown + destination->capacity;
  destination->manager.free_in_buffer = capacity - destination->capacity;
  destination->buffer = grown;
  destination->capacity = capacity;
}

void InitDestination(j_compress_ptr info) {
  const std::size_t pixels = static_cast<std::size_t>(info->image_width) * info->image_height;
  GrowDestination(info, pixels / 4 + 65536);
}

// Called when the buffer is full.
boolean EmptyDestination(j_compress_ptr info) {
  GrowDestination(info, reinterpret_cast<Destination*>(info->dest)->capacity * 2);
  return TRUE;
}

void TermDestination(j_compress_ptr info) {
  auto* destination = reinterpret_cast<Destination*>(info->dest);
  destination->size = destination->capacity - destination->manager.free_in_buffer;
}

struct Compressor {
  Compressor() {
    InstallErrors(errors);
    info.err = &errors.manager;
    destination.manager.init_destination = InitDestination;
    destination.manager.empty_output_buffer = EmptyDestination;
    destination.manager.term_destination = TermDestination;
  }
  ~Compressor() {
    jpeg_destroy_compress(&info);
    std::free(destination.buffer);
  }
  Compressor(const Compressor&) = delete;
  Compressor& operator=(const Compressor&) = delete;

  jpeg_compress_struct info{};
  ErrorManager errors{};
  Destination destination{};
};

// libjpeg sets the unused byte to 255; the picture keeps it 0.
void ClearUnusedBytes(JSAMPROW row, std::size_t count) {
  auto* pixels = reinterpret_cast<Pixel*>(row);
  for (std::size_t i = 0; i < count; ++i) pixels[i] &= 0x00FFFFFF;
}

// Adobe files store CMYK inverted.
void CmykToPixels(const unsigned char* in, Pixel* out, int width, bool inverted) {
  for (int x = 0; x < width; ++x, in += 4) {
    int c = in[0], m = in[1], y = in[2], k = in[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    out[x] = RgbPixel((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
  }
}

constexpr int kRowBatch = 16;

}  // namespace

Bitmap DecodeJpeg(std::string_view bytes) {
  return DecodeJpegReduced(bytes, 0, 0);
}

Bitmap DecodeJpegReduced(std::string_view bytes, int minWidth, int minHeight) {
  Decompressor codec;
  jpeg_decompress_struct& info = codec.info;
  bool cmyk = false;
  auto start = [&] {
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned>(ReductionFor(info.image_width, info.image_height, minWidth, minHeight));
    jpeg_calc_output_dimensions(&info);
    // Refused before libjpeg or the picture ask for the memory. A file in
    // several scans (progressive, or its components in scans of their own)
    // keeps the whole picture's coefficients besides.
    const bool severalScans = info.progressive_mode || info.comps_in_scan < info.num_components;
    const std::uint64_t coefficients =
        severalScans ? PictureBytes(info.image_width, info.image_height) / 2 * info.num_components : 0;
    CheckPictureFits(info.image_width, info.image_height,
                     PictureBytes(info.output_width, info.output_height) + coefficients);
    jpeg_start_decompress(&info);
  };
  if (!Guarded(codec.errors, start)) ThrowJpegError(codec.errors);

  const int width = static_cast<int>(info.output_width);
  const int height = static_cast<int>(info.output_height);
  Bitmap bitmap = Bitmap::Uninitialized(width, height);
  std::vector<unsigned char> cmykRow;
  try {
    if (cmyk) cmykRow.resize(static_cast<std::size_t>(width) * 4);
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryError();
  }
  const bool inverted = info.saw_Adobe_marker;
  auto read = [&] {
    while (info.output_scanline < info.output_height) {
      const int y = static_cast<int>(info.output_scanline);
      if (cmyk) {
        JSAMPROW row = cmykRow.data();
        if (jpeg_read_scanlines(&info, &row, 1) == 1)
          CmykToPixels(cmykRow.data(), bitmap.Row(y), width, inverted);
        continue;
      }
      // Rows land directly in the picture.
      JSAMPROW rows[kRowBatch];
      const int batch = height - y < kRowBatch ? height - y : kRowBatch;
      for (int i = 0; i < batch; ++i) rows[i] = reinterpret_cast<JSAMPROW>(bitmap.Row(y + i));
      const JDIMENSION got = jpeg_read_scanlines(&info, rows, static_cast<JDIMENSION>(batch));
      for (JDIMENSION i = 0; i < got; ++i)
        ClearUnusedBytes(rows[i], static_cast<std::size_t>(width));
    }
    jpeg_finish_decompress(&info);
  };
  if (!Guarded(codec.errors, read)) ThrowJpegError(codec.errors);
  return bitmap;
}

Bitmap ReadJpegFile(const std::string& path) {
  return DecodeJpeg(ReadPictureFile(path));
}

std::string EncodeJpeg(const Bitmap& bitmap, int quality) {
  Compressor codec;
  jpeg_compress_struct& info = codec.info;
  auto encode = [&] {
    jpeg_create_compress(&info);
    info.dest = &codec.destination.manager;
    info.image_width = static_cast<JDIMENSION>(bitmap.Width());
    info.image_height = static_cast<JDIMENSION>(bitmap.Height());
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);  // baseline, Huffman coded, sequential
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
      JSAMPROW row =
          reinterpret_cast<JSAMPROW>(const_cast<Pixel*>(bitmap.Row(static_cast<int>(info.next_scanline))));
      jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
  };
  if (!Guarded(codec.errors, encode)) ThrowJpegError(codec.errors);
  try {
    return std::string(reinterpret_cast<const char*>(codec.destination.buffer), codec.destination.size);
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryError();
  }
}

void WriteJpegFile(const Bitmap& bitmap, const std::string& path) {
  const std::string bytes = EncodeJpeg(bitmap);
  PictureFileWriter file(path);
  file.Write(bytes.data(), bytes.size());
  file.Commit();
}

}  // namespace velmora
