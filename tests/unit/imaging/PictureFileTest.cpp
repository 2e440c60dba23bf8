// PNG and WebP pictures, and the choice of decoder for a wallpaper's file.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <png.h>
#include <webp/encode.h>
#include <zlib.h>
#include <gtest/gtest.h>

#include "base/Errors.h"
#include "imaging/BmpFile.h"
#include "imaging/JpegFile.h"
#include "imaging/PictureFile.h"
#include "imaging/PngFile.h"
#include "imaging/WebpFile.h"
#include "tests/unit/TestSupport.h"
#include "tests/unit/imaging/PictureTestSupport.h"

namespace velmora {
namespace {

using test::MessageOf;

struct PngLayout {
  int width;
  int height;
  int colorType;
  int bitDepth;
  bool interlaced = false;
  std::vector<png_color> palette = {};
  std::vector<png_byte> paletteAlpha = {};
};

void Append(png_structp png, png_bytep data, png_size_t size) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), size);
}

// A PNG file libpng itself writes from packed rows, for every kind of file.
std::string PngOf(const PngLayout& layout, std::vector<std::vector<png_byte>> rows) {
  std::string bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &bytes, Append, nullptr);
  png_set_IHDR(png, info, layout.width, layout.height, layout.bitDepth, layout.colorType,
               layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!layout.palette.empty())
    png_set_PLTE(png, info, layout.palette.data(), static_cast<int>(layout.palette.size()));
  if (!layout.paletteAlpha.empty())
    png_set_tRNS(png, info, layout.paletteAlpha.data(), static_cast<int>(layout.paletteAlpha.size()), nullptr);
  png_write_info(png, info);
  std::vector<png_bytep> pointers;
  for (auto& row : rows) pointers.push_back(row.data());
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

// A 6 × 4 picture of colours that differ in every channel.
Pixel Sample(int x, int y) { return RgbPixel(x * 40 + 10, y * 60 + 5, 250 - x * 30 - y * 7); }

std::vector<std::vector<png_byte>> RgbRows(int width, int height) {
  std::vector<std::vector<png_byte>> rows(height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Pixel p = Sample(x, y);
      rows[y].insert(rows[y].end(), {png_byte(p >> 16), png_byte(p >> 8), png_byte(p)});
    }
  return rows;
}

void ExpectSamples(const Bitmap& picture, int width, int height) {
  ASSERT_EQ(picture.Width(), width);
  ASSERT_EQ(picture.Height(), height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) ASSERT_EQ(picture.At(x, y), Sample(x, y)) << x << ", " << y;
}

TEST(PngFile, ColourFilesDecodeExactlyPlainAndInterlaced) {
  ExpectSamples(DecodePng(PngOf({6, 4, PNG_COLOR_TYPE_RGB, 8}, RgbRows(6, 4))), 6, 4);
  // Adam7 spreads the pixels over seven passes; a 13 × 11 picture has pixels in each.
  ExpectSamples(DecodePng(PngOf({6, 4, PNG_COLOR_TYPE_RGB, 8, true}, RgbRows(6, 4))), 6, 4);
  const Bitmap interlaced = DecodePng(PngOf({13, 11, PNG_COLOR_TYPE_RGB, 8, true}, RgbRows(13, 11)));
  EXPECT_EQ(interlaced.At(12, 10), Sample(12, 10));
  EXPECT_EQ(interlaced.At(5, 7), Sample(5, 7));
}

TEST(PngFile, GreyPaletteSixteenBitAndAlphaBecomeColoursOverTheMatte) {
  // Two-bit grey: 0, 85, 170, 255.
  const Bitmap grey = DecodePng(PngOf({4, 1, PNG_COLOR_TYPE_GRAY, 2}, {{0b00011011}}));
  EXPECT_EQ(grey.At(0, 0), RgbPixel(0, 0, 0));
  EXPECT_EQ(grey.At(1, 0), RgbPixel(85, 85, 85));
  EXPECT_EQ(grey.At(3, 0), RgbPixel(255, 255, 255));

  // A palette whose second entry is fully see-through, its third half.
  const PngLayout palette{3, 1, PNG_COLOR_TYPE_PALETTE, 8, false, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, {255, 0, 128}};
  const Pixel matte = RgbPixel(100, 200, 50);
  const Bitmap indexed = DecodePng(PngOf(palette, {{0, 1, 2}}), matte);
  EXPECT_EQ(indexed.At(0, 0), RgbPixel(255, 0, 0));
  EXPECT_EQ(indexed.At(1, 0), matte);
  EXPECT_EQ(indexed.At(2, 0), RgbPixel(50, 100, 153));

  // 16 bits a channel with alpha, big-endian: keeps the high byte's meaning.
  const Bitmap deep = DecodePng(
      PngOf({2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16}, {{0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00, 0xFF, 0xFF,  //
                                                    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}}),
      kWhitePixel);
  EXPECT_EQ(deep.At(0, 0), RgbPixel(255, 128, 0));
  EXPECT_EQ(deep.At(1, 0), kWhitePixel);
  for (const Bitmap* picture : {&grey, &indexed, &deep})
    for (int x = 0; x < picture->Width(); ++x) EXPECT_EQ(picture->At(x, 0) >> 24, 0u);
}

// A PNG of the given size that ends where its picture's data would start.
std::string PngHeaderOnly(std::uint32_t width, std::uint32_t height) {
  std::string chunk = "IHDR";
  for (std::uint32_t v : {width, height})
    for (int shift : {24, 16, 8, 0}) chunk += static_cast<char>(v >> shift & 0xFF);
  chunk += std::string("\x08\x02\x00\x00\x00", 5);
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(chunk.data()), static_cast<uInt>(chunk.size()));
  std::string bytes("\x89PNG\r\n\x1a\n\x00\x00\x00\x0d", 12);
  bytes += chunk;
  for (int shift : {24, 16, 8, 0}) bytes += static_cast<char>(crc >> shift & 0xFF);
  return bytes + std::string("\x00\x00\x00\x00IDAT", 8);
}

TEST(PngFile, BrokenFilesRaiseTheirErrorAndHugeOnesAreRefusedFirst) {
  const std::string whole = PngOf({6, 4, PNG_COLOR_TYPE_RGB, 8}, RgbRows(6, 4));
  EXPECT_EQ(MessageOf([&] { DecodePng(whole.substr(0, whole.size() / 2)); }), "PNG error: the file ends early");
  std::string damaged = whole;
  damaged[40] ^= 0x55;  // inside the picture's data: its checksum fails
  EXPECT_NE(MessageOf([&] { DecodePng(damaged); }).find("PNG error: "), std::string::npos);
  EXPECT_EQ(MessageOf([&] { DecodePng("GIF89a"); }).rfind("PNG error: ", 0), 0u);
  EXPECT_THROW(DecodePng(PngHeaderOnly(60000, 60000)), PictureTooLargeError);
  // Within libpng's own limits but past what the process can have.
  EXPECT_THROW(DecodePng(PngHeaderOnly(1000000, 1000)), PictureTooLargeError);
}

std::string WebpOf(const Bitmap& picture, bool lossless, bool alpha = false) {
  std::vector<std::uint8_t> bgra;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) {
      const Pixel p = picture.At(x, y);
      bgra.insert(bgra.end(), {std::uint8_t(p), std::uint8_t(p >> 8), std::uint8_t(p >> 16),
                               std::uint8_t(alpha && x == 0 ? 0 : 255)});
    }
  std::uint8_t* out = nullptr;
  const int stride = picture.Width() * 4;
  const size_t size = lossless ? WebPEncodeLosslessBGRA(bgra.data(), picture.Width(), picture.Height(), stride, &out)
                               : WebPEncodeBGRA(bgra.data(), picture.Width(), picture.Height(), stride, 95, &out);
  std::string bytes(reinterpret_cast<char*>(out), size);
  WebPFree(out);
  return bytes;
}

Bitmap Samples(int width, int height) {
  Bitmap picture = Bitmap::Uninitialized(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.Set(x, y, Sample(x % 6, y % 4));
  return picture;
}

TEST(WebpFile, LosslessIsExactLossyIsCloseAndAlphaLiesOverTheMatte) {
  ExpectSamples(DecodeWebp(WebpOf(Samples(6, 4), true)), 6, 4);
  // Rows past the first band of 32 land in their own bands.
  const Bitmap tall = DecodeWebp(WebpOf(Samples(6, 70), true));
  EXPECT_EQ(tall.At(5, 69), Sample(5, 69 % 4));
  Bitmap flat(64, 48, RgbPixel(30, 120, 210));
  const Bitmap lossy = DecodeWebp(WebpOf(flat, false));
  for (int shift : {0, 8, 16})
    EXPECT_NEAR(static_cast<int>(lossy.At(20, 20) >> shift & 0xFF), static_cast<int>(flat.At(20, 20) >> shift & 0xFF), 4);
  const Bitmap seeThrough = DecodeWebp(WebpOf(Samples(6, 4), true, true), 0, 0, kWhitePixel);
  EXPECT_EQ(seeThrough.At(0, 2), kWhitePixel);
  EXPECT_EQ(seeThrough.At(1, 2), Sample(1, 2));
  EXPECT_EQ(seeThrough.At(1, 2) >> 24, 0u);
}

TEST(WebpFile, ReducedDecodingStaysAtLeastTheSizeAskedFor) {
  const std::string bytes = WebpOf(Bitmap(800, 600, RgbPixel(10, 20, 30)), false);
  const Bitmap quarter = DecodeWebp(bytes, 190, 150);
  EXPECT_EQ(quarter.Width(), 200);
  EXPECT_EQ(quarter.Height(), 150);
  const Bitmap half = DecodeWebp(bytes, 201, 150);
  EXPECT_EQ(half.Width(), 400);
  const Bitmap whole = DecodeWebp(bytes, 1000, 10);
  EXPECT_EQ(whole.Width(), 800);
  EXPECT_EQ(whole.Height(), 600);
}

TEST(WebpFile, BrokenFilesRaiseTheirError) {
  const std::string whole = WebpOf(Samples(60, 40), false);
  EXPECT_EQ(MessageOf([&] { DecodeWebp(whole.substr(0, 20)); }), "WebP error: the file ends early");
  EXPECT_EQ(MessageOf([&] { DecodeWebp(whole.substr(0, whole.size() - 30)); }), "WebP error: the file ends early");
  EXPECT_EQ(MessageOf([&] { DecodeWebp("RIFF\x10\0\0\0WEBPVP8X"); }).rfind("WebP error: ", 0), 0u);
  EXPECT_EQ(MessageOf([&] { DecodeWebp(std::string(64, 'x')); }), "WebP error: the picture's data is damaged");
}

TEST(PictureFile, KindsAreKnownByContentAndNamesOnlyNameTheDecoderForTheRest) {
  const std::string png = PngOf({6, 4, PNG_COLOR_TYPE_RGB, 8}, RgbRows(6, 4));
  const std::string webp = WebpOf(Samples(6, 4), true);
  const std::string jpeg = EncodeJpeg(Samples(6, 4));
  EXPECT_EQ(SniffPicture(png), PictureKind::kPng);
  EXPECT_EQ(SniffPicture(webp), PictureKind::kWebp);
  EXPECT_EQ(SniffPicture(png.substr(0, 7)), PictureKind::kNone);
  EXPECT_EQ(SniffPicture("RIFF\x10\0\0\0WAVE"), PictureKind::kNone);

  test::ScratchDir dir;
  // A PNG named .jpg is still a PNG; a file of no known kind takes the decoder its name says.
  test::WriteFile(dir / "photo.jpg", png);
  ExpectSamples(ReadPicture(dir / "photo.jpg"), 6, 4);
  test::WriteFile(dir / "photo.webp", webp);
  ExpectSamples(ReadPicture(dir / "photo.webp"), 6, 4);
  test::WriteFile(dir / "junk.png", "not a picture");
  EXPECT_EQ(MessageOf([&] { ReadPicture(dir / "junk.png"); }).rfind("PNG error: ", 0), 0u);
  test::WriteFile(dir / "junk.webp", "not a picture");
  EXPECT_EQ(MessageOf([&] { ReadPicture(dir / "junk.webp"); }).rfind("WebP error: ", 0), 0u);
  test::WriteFile(dir / "junk.jpeg", "not a picture");
  EXPECT_EQ(MessageOf([&] { ReadPicture(dir / "junk.jpeg"); }).rfind("JPEG error #", 0), 0u);
  // A kind the program does not read is named, whatever the file's name; a
  // BMP it reads.
  const struct {
    std::string head, said;
  } foreign[] = {
      {"GIF89a", "a GIF"},
      {std::string("II*\0", 4), "a TIFF"},
      {std::string("\0\0\0\x1C" "ftypheic", 12), "a HEIC"},
      {std::string("\0\0\0\x1C" "ftypavif", 12), "an AVIF"},
  };
  for (const auto& f : foreign) {
    test::WriteFile(dir / "x.jpg", f.head + std::string(40, '\0'));
    EXPECT_EQ(MessageOf([&] { ReadPicture(dir / "x.jpg"); }),
              "The picture \"" + (dir / "x.jpg") + "\" is " + f.said + " picture, which Velmora does not read");
  }
  test::WriteFile(dir / "x.png", std::string(1, '\0') + "GIF89a");
  EXPECT_EQ(MessageOf([&] { ReadPicture(dir / "x.png"); }).rfind("PNG error: ", 0), 0u);
  test::WriteFile(dir / "paint.jpg", EncodeBmp24(Samples(6, 4)));
  ExpectSamples(ReadPicture(dir / "paint.jpg"), 6, 4);
  EXPECT_EQ(WallpaperKindOfName("C:\\a.webp\\b"), PictureKind::kNone);
  EXPECT_EQ(WallpaperKindOfName("C:\\a\\B.WebP"), PictureKind::kWebp);
}

}  // namespace
}  // namespace velmora
