#include "imaging/BmpFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/Errors.h"
#include "imaging/PictureIo.h"
#include "imaging/Translucent.h"

namespace velmora {
namespace {

static_assert(std::endian::native == std::endian::little, "pixels and file fields are little-endian");

constexpr char kInvalidBitmap[] = "Bitmap image is not valid";
constexpr char kStreamRead[] = "Stream read error";
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;

class Bytes {
 public:
  explicit Bytes(std::string_view bytes) : bytes_(bytes) {}
  std::size_t Size() const { return bytes_.size(); }
  const unsigned char* At(std::size_t offset) const {
    return reinterpret_cast<const unsigned char*>(bytes_.data()) + offset;
  }
  std::uint32_t U16(std::size_t offset) const { return At(offset)[0] | At(offset)[1] << 8; }
  std::uint32_t U32(std::size_t offset) const {
    std::uint32_t value;
    std::memcpy(&value, At(offset), 4);
    return value;
  }

 private:
  std::string_view bytes_;
};

// One colour channel of a bit-field pixel, scaled to 8 bits.
class Channel {
 public:
  explicit Channel(std::uint32_t mask)
      : mask_(mask),
        shift_(mask ? std::countr_zero(mask) : 0),
        bits_(mask ? std::bit_width(mask >> shift_) : 0),
        max_(bits_ ? (bits_ >= 32 ? 0xFFFFFFFFu : (1u << bits_) - 1) : 0) {}

  std::uint32_t Value(std::uint32_t pixel) const {
    const std::uint32_t v = (pixel & mask_) >> shift_;
    if (bits_ >= 8) return v >> (bits_ - 8);
    return max_ ? (v * 255 + max_ / 2) / max_ : 0;
  }

 private:
  std::uint32_t mask_;
  int shift_;
  int bits_;
  std::uint32_t max_;
};

// What the headers say about the pixels.
struct Layout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bits = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t masks[3] = {0, 0, 0};
  bool masked = false;
  // Indices past a short colour table read as black.
  std::array<Pixel, 256> palette{};
  std::size_t pixelsAt = 0;
  std::size_t pixelsEnd = 0;  // where run-length data ends
};

[[noreturn]] void Invalid() {
  throw Error(kInvalidBitmap);
}
[[noreturn]] void CutShort() {
  throw Error(kStreamRead);
}

// The file header, one of the information headers (the 12-byte core header
// of OS/2 1.x and Windows 2, the OS/2 2.x header, the Windows 3 header and its
// versions 2 to 5), the masks and the colour table.
Layout ReadLayout(const Bytes& bytes) {
  if (bytes.Size() < kFileHeaderSize) CutShort();
  if (bytes.U16(0) != 0x4D42) Invalid();  // "BM"
  if (bytes.Size() < kFileHeaderSize + 4) CutShort();
  const std::uint32_t dataOffset = bytes.U32(10);
  const std::uint32_t headerSize = bytes.U32(kFileHeaderSize);
  const std::size_t fields = kFileHeaderSize + 4;
  Layout layout;
  std::uint32_t colorsUsed = 0;
  std::uint32_t imageSize = 0;
  std::size_t entrySize = 4;
  if (headerSize == 12) {
    if (bytes.Size() < kFileHeaderSize + headerSize) CutShort();
    layout.width = static_cast<int>(bytes.U16(fields));
    layout.height = static_cast<int>(bytes.U16(fields + 2));
    layout.bits = static_cast<int>(bytes.U16(fields + 6));
    entrySize = 3;
  } else if (headerSize >= 16 && headerSize <= 1024) {
    if (bytes.Size() < kFileHeaderSize + headerSize) CutShort();
    const auto width = static_cast<std::int32_t>(bytes.U32(fields));
    const auto height = static_cast<std::int32_t>(bytes.U32(fields + 4));
    if (width < 0 || height == INT32_MIN) Invalid();
    layout.width = width;
    layout.height = height < 0 ? -height : height;
    layout.topDown = height < 0;
    layout.bits = static_cast<int>(bytes.U16(fields + 10));
    if (headerSize >= 20) layout.compression = bytes.U32(fields + 12);
    if (headerSize >= 24) imageSize = bytes.U32(fields + 16);
    if (headerSize >= 36) colorsUsed = bytes.U32(fields + 28);
  } else {
    Invalid();
  }
  switch (layout.bits) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      Invalid();
  }
  const std::size_t headerEnd = kFileHeaderSize + headerSize;
  std::size_t tableAt = headerEnd;
  switch (layout.compression) {
    case kBiRgb:
      if (layout.bits == 16) {
        layout.masks[0] = 0x7C00;
        layout.masks[1] = 0x03E0;
        layout.masks[2] = 0x001F;
      }
      break;
    case kBiRle8:
    case kBiRle4:
      if (layout.bits != (layout.compression == kBiRle8 ? 8 : 4)) Invalid();
      break;
    case kBiBitfields:
    case kBiAlphaBitfields: {
      if (layout.bits != 16 && layout.bits != 32) Invalid();
      // Version 2 and later headers hold the masks; a plain one is followed by them.
      if (headerSize < 52) {
        if (headerSize != kInfoHeaderSize) Invalid();
        tableAt += layout.compression == kBiAlphaBitfields ? 16 : 12;
        if (bytes.Size() < tableAt) CutShort();
      }
      const std::size_t masksAt = kFileHeaderSize + kInfoHeaderSize;
      for (int i = 0; i < 3; ++i) layout.masks[i] = bytes.U32(masksAt + 4 * static_cast<std::size_t>(i));
      layout.masked = true;
      break;
    }
    default:
      Invalid();  // JPEG or PNG inside, OS/2 Huffman or RLE24
  }
  std::size_t tableEnd = tableAt;
  if (layout.bits <= 8) {
    const std::size_t most = std::size_t{1} << layout.bits;
    std::size_t entries = colorsUsed && colorsUsed < most ? colorsUsed : most;
    // A table shorter than the depth allows ends where the pixels begin.
    if (dataOffset >= headerEnd && dataOffset < tableAt + entries * entrySize) {
      entries = dataOffset > tableAt ? (dataOffset - tableAt) / entrySize : 0;
    }
    if (bytes.Size() < tableAt + entries * entrySize) CutShort();
    for (std::size_t i = 0; i < entries; ++i) {
      const unsigned char* entry = bytes.At(tableAt + i * entrySize);
      layout.palette[i] = RgbPixel(entry[2], entry[1], entry[0]);
    }
    tableEnd += entries * entrySize;
  }
  layout.pixelsAt = dataOffset >= headerEnd ? dataOffset : tableEnd;
  if (layout.pixelsAt > bytes.Size()) CutShort();
  const std::size_t left = bytes.Size() - layout.pixelsAt;
  layout.pixelsEnd = layout.pixelsAt + (imageSize && imageSize <= left ? imageSize : left);
  return layout;
}

void ConvertRow(const Layout& layout, const unsigned char* in, Pixel* out, const Channel* channels) {
  const int width = layout.width;
  switch (layout.bits) {
    case 1:
      for (int x = 0; x < width; ++x) out[x] = layout.palette[(in[x >> 3] >> (7 - (x & 7))) & 1];
      break;
    case 4:
      for (int x = 0; x < width; ++x) out[x] = layout.palette[(in[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
      break;
    case 8:
      for (int x = 0; x < width; ++x) out[x] = layout.palette[in[x]];
      break;
    case 16:
      for (int x = 0; x < width; ++x) {
        const std::uint32_t v = in[2 * x] | in[2 * x + 1] << 8;
        out[x] = channels[0].Value(v) << 16 | channels[1].Value(v) << 8 | channels[2].Value(v);
      }
      break;
    case 24:
      for (int x = 0; x < width; ++x) out[x] = RgbPixel(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
      break;
    case 32:
      if (!layout.masked) {
        std::memcpy(out, in, static_cast<std::size_t>(width) * 4);
        for (int x = 0; x < width; ++x) out[x] &= 0x00FFFFFF;
      } else {
        for (int x = 0; x < width; ++x) {
          std::uint32_t v;
          std::memcpy(&v, in + 4 * x, 4);
          out[x] = channels[0].Value(v) << 16 | channels[1].Value(v) << 8 | channels[2].Value(v);
        }
      }
      break;
  }
}

std::uint64_t RowStride(const Layout& layout) {
  const std::uint64_t rowBits =
      static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.bits);
  return (rowBits + 31) / 32 * 4;
}

// Uncompressed rows must all be there; the last one may lack its padding.
void CheckRows(const Layout& layout, const Bytes& bytes) {
  const std::uint64_t rowBits =
      static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.bits);
  const std::uint64_t needed =
      RowStride(layout) * static_cast<std::uint64_t>(layout.height - 1) + (rowBits + 7) / 8;
  if (needed > bytes.Size() - layout.pixelsAt) CutShort();
}

void DecodeRows(const Layout& layout, const Bytes& bytes, Bitmap& bitmap) {
  const std::uint64_t stride = RowStride(layout);
  const Channel channels[3] = {Channel(layout.masks[0]), Channel(layout.masks[1]), Channel(layout.masks[2])};
  for (int y = 0; y < layout.height; ++y) {
    const int fileRow = layout.topDown ? y : layout.height - 1 - y;
    ConvertRow(
        layout,
        bytes.At(layout.pixelsAt + static_cast<std::size_t>(stride) * static_cast<std::size_t>(fileRow)),
        bitmap.Row(y), channels);
  }
}

// Run-length encoded pixels (BI_RLE8, BI_RLE4): pairs of a count and a value,
// or an escape (0 then 0 end of line, 1 end of bitmap, 2 delta with two more
// bytes, 3 to 255 an absolute run of that many indices padded to an even byte
// count). Pixels the codes do not reach keep palette index 0; pixels past the
// end of a row are dropped.
void DecodeRunLengths(const Layout& layout, const Bytes& bytes, Bitmap& bitmap) {
  const bool nibbles = layout.bits == 4;
  const int width = layout.width;
  const int height = layout.height;
  bitmap.Fill(layout.palette[0]);
  std::size_t at = layout.pixelsAt;
  const std::size_t end = layout.pixelsEnd;
  int x = 0;
  int fileRow = 0;  // rows in file order: bottom-up unless the file is top-down
  auto row = [&] { return bitmap.Row(layout.topDown ? fileRow : height - 1 - fileRow); };
  auto put = [&](int count, auto indexOf) {
    const int n = std::min(count, width - x);
    Pixel* out = row() + x;
    for (int i = 0; i < n; ++i) out[i] = layout.palette[indexOf(i)];
    x = std::min(width, x + count);
  };
  while (fileRow < height) {
    if (at == end) {
      // Without an end-of-bitmap code the data must reach the last row.
      if (fileRow == height - 1) return;
      CutShort();
    }
    if (end - at < 2) CutShort();
    const int count = *bytes.At(at);
    const int value = *bytes.At(at + 1);
    at += 2;
    if (count > 0) {
      if (nibbles) {
        put(count, [&](int i) { return i & 1 ? value & 0xF : value >> 4; });
      } else {
        put(count, [&](int) { return value; });
      }
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++fileRow;
        break;
      case 1:  // end of bitmap
        return;
      case 2: {  // delta: right and up
        if (end - at < 2) CutShort();
        x = std::min(width, x + *bytes.At(at));
        fileRow = std::min(height, fileRow + *bytes.At(at + 1));
        at += 2;
        break;
      }
      default: {  // absolute run
        const std::size_t size = nibbles ? (static_cast<std::size_t>(value) + 1) / 2 : value;
        if (end - at < size) CutShort();
        const unsigned char* in = bytes.At(at);
        if (nibbles) {
          put(value, [&](int i) { return in[i >> 1] >> (i & 1 ? 0 : 4) & 0xF; });
        } else {
          put(value, [&](int i) { return in[i]; });
        }
        at += std::min(end - at, (size + 1) & ~std::size_t{1});
      }
    }
  }
}

#if defined(__SSE2__)
// Four pixels into the low 12 bytes. Within each 64-bit half (two pixels) the
// second pixel's colour moves down a byte onto the first's unused one; the
// upper half's six bytes then move down onto the lower half's two free ones.
inline __m128i Pack4(__m128i pixels) {
  const __m128i first = _mm_set_epi32(0, 0x00FFFFFF, 0, 0x00FFFFFF);
  const __m128i second =
      _mm_set_epi32(0x0000FFFF, static_cast<int>(0xFF000000u), 0x0000FFFF, static_cast<int>(0xFF000000u));
  const __m128i lowHalf = _mm_set_epi32(0, 0, -1, -1);
  const __m128i pairs =
      _mm_or_si128(_mm_and_si128(pixels, first), _mm_and_si128(_mm_srli_epi64(pixels, 8), second));
  return _mm_or_si128(_mm_and_si128(pairs, lowHalf), _mm_srli_si128(_mm_andnot_si128(lowHalf, pairs), 2));
}
#endif

// Sixteen pixels at a time into three vectors where the processor has SSE2
// (every x86-64, and the 32-bit Windows build); then four at a time into
// three little-endian words, and the last few byte by byte.
void PackRow24(const Pixel* in, int width, unsigned char* out) {
  int x = 0;
#if defined(__SSE2__)
  for (; x + 16 <= width; x += 16, out += 48) {
    const __m128i* from = reinterpret_cast<const __m128i*>(in + x);
    const __m128i a = Pack4(_mm_loadu_si128(from)), b = Pack4(_mm_loadu_si128(from + 1));
    const __m128i c = Pack4(_mm_loadu_si128(from + 2)), d = Pack4(_mm_loadu_si128(from + 3));
    auto* to = reinterpret_cast<__m128i*>(out);
    _mm_storeu_si128(to, _mm_or_si128(a, _mm_slli_si128(b, 12)));
    _mm_storeu_si128(to + 1, _mm_or_si128(_mm_srli_si128(b, 4), _mm_slli_si128(c, 8)));
    _mm_storeu_si128(to + 2, _mm_or_si128(_mm_srli_si128(c, 8), _mm_slli_si128(d, 4)));
  }
#endif
  for (; x + 4 <= width; x += 4, out += 12) {
    const std::uint32_t a = in[x], b = in[x + 1], c = in[x + 2], d = in[x + 3];
    const std::uint32_t words[3] = {(a & 0xFFFFFF) | b << 24, (b >> 8 & 0xFFFF) | c << 16,
                                    (c >> 16 & 0xFF) | d << 8};
    std::memcpy(out, words, 12);
  }
  for (; x < width; ++x, out += 3) {
    out[0] = static_cast<unsigned char>(in[x]);
    out[1] = static_cast<unsigned char>(in[x] >> 8);
    out[2] = static_cast<unsigned char>(in[x] >> 16);
  }
}

void PutU16(unsigned char* at, std::uint32_t value) {
  at[0] = static_cast<unsigned char>(value);
  at[1] = static_cast<unsigned char>(value >> 8);
}
void PutU32(unsigned char* at, std::uint32_t value) {
  std::memcpy(at, &value, 4);
}

std::size_t Stride24(int width) {
  return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

std::array<unsigned char, kFileHeaderSize + kInfoHeaderSize> Header24(int width, int height) {
  const std::size_t imageSize = Stride24(width) * static_cast<std::size_t>(height);
  std::array<unsigned char, kFileHeaderSize + kInfoHeaderSize> header{};
  header[0] = 'B';
  header[1] = 'M';
  PutU32(&header[2], static_cast<std::uint32_t>(header.size() + imageSize));
  PutU32(&header[10], static_cast<std::uint32_t>(header.size()));
  PutU32(&header[14], kInfoHeaderSize);
  PutU32(&header[18], static_cast<std::uint32_t>(width));
  PutU32(&header[22], static_cast<std::uint32_t>(height));  // positive: rows bottom-up
  PutU16(&header[26], 1);
  PutU16(&header[28], 24);
  PutU32(&header[34], static_cast<std::uint32_t>(imageSize));
  return header;
}

// Hands the file to `out` in pieces of about a megabyte, asking `row` for
// each row once, bottom row first.
template <class Row, class Out>
void EmitBmp24(int width, int height, Row&& row, Out&& out) {
  const auto header = Header24(width, height);
  out(header.data(), header.size());
  if (width == 0 || height == 0) return;
  const std::size_t stride = Stride24(width);
  const int rowsPerPiece = static_cast<int>(std::max<std::size_t>(1, (std::size_t{1} << 20) / stride));
  std::vector<unsigned char> piece(stride * static_cast<std::size_t>(std::min(rowsPerPiece, height)));
  for (int y = height - 1; y >= 0;) {
    unsigned char* at = piece.data();
    for (int n = 0; n < rowsPerPiece && y >= 0; ++n, --y, at += stride) {
      PackRow24(row(y), width, at);
      std::fill(at + 3 * static_cast<std::size_t>(width), at + stride, 0);
    }
    out(piece.data(), static_cast<std::size_t>(at - piece.data()));
  }
}

template <class Out>
void EmitBmp24(const Bitmap& bitmap, Out&& out) {
  EmitBmp24(
      bitmap.Width(), bitmap.Height(), [&](int y) { return bitmap.Row(y); }, out);
}

constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::size_t kDrawingHeader = kFileHeaderSize + kV5HeaderSize;

bool Translucent(const Bitmap& drawing) {
  for (int y = 0; y < drawing.Height(); ++y) {
    const Pixel* row = drawing.Row(y);
    if (std::any_of(row, row + drawing.Width(), [](Pixel p) { return OpacityOf(p) != 0; })) return true;
  }
  return false;
}

std::array<unsigned char, kDrawingHeader> Header32(int width, int height) {
  const std::size_t imageSize = static_cast<std::size_t>(width) * 4 * static_cast<std::size_t>(height);
  std::array<unsigned char, kDrawingHeader> header{};
  header[0] = 'B';
  header[1] = 'M';
  PutU32(&header[2], static_cast<std::uint32_t>(header.size() + imageSize));
  PutU32(&header[10], static_cast<std::uint32_t>(header.size()));
  PutU32(&header[14], kV5HeaderSize);
  PutU32(&header[18], static_cast<std::uint32_t>(width));
  PutU32(&header[22], static_cast<std::uint32_t>(height));  // positive: rows bottom-up
  PutU16(&header[26], 1);
  PutU16(&header[28], 32);
  PutU32(&header[30], kBiBitfields);
  PutU32(&header[34], static_cast<std::uint32_t>(imageSize));
  PutU32(&header[54], 0x00FF0000);  // red, green, blue and alpha masks
  PutU32(&header[58], 0x0000FF00);
  PutU32(&header[62], 0x000000FF);
  PutU32(&header[66], 0xFF000000);
  PutU32(&header[70], 0x73524742);  // 'sRGB'
  PutU32(&header[122], 4);          // LCS_GM_IMAGES
  return header;
}

template <class Out>
void EmitDrawing32(const Bitmap& drawing, Out&& out) {
  const auto header = Header32(drawing.Width(), drawing.Height());
  out(header.data(), header.size());
  std::vector<Pixel> row(static_cast<std::size_t>(drawing.Width()));
  for (int y = drawing.Height() - 1; y >= 0; --y) {
    const Pixel* in = drawing.Row(y);
    for (int x = 0; x < drawing.Width(); ++x) {
      const int opacity = OpacityOf(in[x]);
      row[static_cast<std::size_t>(x)] = WithOpacity(in[x], opacity == 0 ? 255 : opacity);
    }
    // Little-endian pixels: blue, green, red, alpha, as the masks say.
    out(reinterpret_cast<const unsigned char*>(row.data()), row.size() * sizeof(Pixel));
  }
}

template <class Out>
void EmitDrawing(const Bitmap& drawing, Out&& out) {
  if (Translucent(drawing)) {
    EmitDrawing32(drawing, out);
  } else {
    EmitBmp24(drawing, out);
  }
}

}  // namespace

std::string EncodeDrawingBmp(const Bitmap& drawing) {
  std::string bytes;
  try {
    EmitDrawing(drawing, [&](const unsigned char* data, std::size_t size) {
      bytes.append(reinterpret_cast<const char*>(data), size);
    });
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryError();
  }
  return bytes;
}

void WriteDrawingBmp(const Bitmap& drawing, PictureFileWriter& file) {
  try {
    EmitDrawing(drawing, [&](const unsigned char* data, std::size_t size) { file.Write(data, size); });
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryError();
  }
}

void WriteDrawingFile(const Bitmap& drawing, const std::string& path) {
  PictureFileWriter file(path);
  WriteDrawingBmp(drawing, file);
  file.Commit();
}

Bitmap DecodeDrawingBmp(std::string_view data) {
  Bitmap drawing = DecodeBmp(data);
  // Only the drawing file's own form carries opacities: 32 bits, bit fields,
  // the masks it writes.
  const Bytes bytes(data);
  if (drawing.Empty() || data.size() < kDrawingHeader || bytes.U32(14) < 56 || bytes.U16(28) != 32 ||
      bytes.U32(30) != kBiBitfields || bytes.U32(54) != 0x00FF0000 || bytes.U32(58) != 0x0000FF00 ||
      bytes.U32(62) != 0x000000FF || bytes.U32(66) != 0xFF000000)
    return drawing;
  const std::size_t offset = bytes.U32(10);
  const std::size_t stride = static_cast<std::size_t>(drawing.Width()) * 4;
  const bool topDown = static_cast<std::int32_t>(bytes.U32(22)) < 0;
  for (int y = 0; y < drawing.Height(); ++y) {
    const std::size_t at = offset + stride * static_cast<std::size_t>(topDown ? y : drawing.Height() - 1 - y);
    if (at + stride > data.size()) break;
    Pixel* row = drawing.Row(y);
    for (int x = 0; x < drawing.Width(); ++x) {
      const int alpha = static_cast<unsigned char>(data[at + 4 * static_cast<std::size_t>(x) + 3]);
      // 0 is a file whose alpha means nothing; 255 is opaque.
      if (alpha != 0 && alpha != 255 && row[x] != kKeyPixel) row[x] = WithOpacity(row[x], alpha);
    }
  }
  return drawing;
}

Bitmap ReadDrawingFile(const std::string& path) {
  return DecodeDrawingBmp(ReadPictureFile(path));
}

Bitmap DecodeBmp(std::string_view data) {
  if (data.empty()) return {};
  const Bytes bytes(data);
  const Layout layout = ReadLayout(bytes);
  if (layout.width == 0 || layout.height == 0) return Bitmap::Uninitialized(layout.width, layout.height);
  CheckPictureFits(layout.width, layout.height, PictureBytes(layout.width, layout.height));
  const bool runLengths = layout.compression == kBiRle8 || layout.compression == kBiRle4;
  if (!runLengths) CheckRows(layout, bytes);
  Bitmap bitmap = Bitmap::Uninitialized(layout.width, layout.height);
  if (runLengths) {
    DecodeRunLengths(layout, bytes, bitmap);
  } else {
    DecodeRows(layout, bytes, bitmap);
  }
  return bitmap;
}

Bitmap ReadBmpFile(const std::string& path) {
  return DecodeBmp(ReadPictureFile(path));
}

std::string EncodeBmp24(const Bitmap& bitmap) {
  std::string bytes;
  try {
    EmitBmp24(bitmap, [&](const unsigned char* data, std::size_t size) {
      bytes.append(reinterpret_cast<const char*>(data), size);
    });
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryError();
  }
  return bytes;
}

void WriteBmp24(const Bitmap& bitmap, PictureFileWriter& file) {
  try {
    EmitBmp24(bitmap, [&](const unsigned char* data, std::size_t size) { file.Write(data, size); });
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryError();
  }
}

void WriteBmp24(const Bitmap& bitmap, const PixelRect& part, PictureFileWriter& file) {
  const PixelRect area = Intersect(part, BoundsOf(bitmap));
  try {
    EmitBmp24(
        area.Width(), area.Height(), [&](int y) { return bitmap.Row(area.top + y) + area.left; },
        [&](const unsigned char* data, std::size_t size) { file.Write(data, size); });
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryError();
  }
}

void WriteBmpFile(const Bitmap& bitmap, const std::string& path) {
  WriteBmpFileRows(
      bitmap.Width(), bitmap.Height(), [&](int y) { return bitmap.Row(y); }, path);
}

void WriteBmpFileRows(int width, int height, const std::function<const Pixel*(int y)>& row,
                      const std::string& path) {
  PictureFileWriter file(path);
  try {
    EmitBmp24(width, height, row,
              [&](const unsigned char* data, std::size_t size) { file.Write(data, size); });
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryError();
  }
  file.Commit();
}

}  // namespace velmora
