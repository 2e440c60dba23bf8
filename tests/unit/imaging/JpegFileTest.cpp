#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <jerror.h>
#include <gtest/gtest.h>

#include "base/Errors.h"
#include "imaging/BmpFile.h"
#include "imaging/JpegFile.h"
#include "imaging/PictureIo.h"
#include "tests/unit/TestSupport.h"
#include "tests/unit/imaging/PictureTestSupport.h"

namespace velmora {
namespace {

using test::MessageOf;

std::string JpegError(int code) {
  return Format("JPEG error #%d", code);
}

// Gradients in all three channels, which JPEG keeps well.
Bitmap Gradient(int width, int height) {
  Bitmap picture = Bitmap::Uninitialized(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.Set(x, y, RgbPixel(x * 4, y * 5, 255 - (x + y) * 2));
  }
  return picture;
}

int Channel(Pixel pixel, int shift) {
  return static_cast<int>(pixel >> shift & 0xFF);
}

// A file libjpeg itself makes from raw samples, for kinds the program never writes.
std::string LibjpegFile(J_COLOR_SPACE space, int components, int width, int height,
                        const unsigned char* sample, bool progressive = false) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = components;
  info.in_color_space = space;
  jpeg_set_defaults(&info);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(width * components));
  for (int i = 0; i < width; ++i) std::copy(sample, sample + components, row.begin() + i * components);
  JSAMPROW rows[1] = {row.data()};
  while (info.next_scanline < info.image_height) jpeg_write_scanlines(&info, rows, 1);
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string bytes(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

TEST(JpegFile, RoundTripsCloselyAsBaselineQuality90) {
  const Bitmap picture = Gradient(64, 48);
  const std::string bytes = EncodeJpeg(picture);
  EXPECT_NE(bytes.find("\xFF\xC0"), std::string::npos);  // baseline frame
  EXPECT_EQ(bytes.find("\xFF\xC2"), std::string::npos);  // no progressive frame
  // Quality 90 scales the standard luminance table's first entry, 16, to 3.
  const std::size_t table = bytes.find("\xFF\xDB");
  ASSERT_NE(table, std::string::npos);
  EXPECT_EQ(bytes[table + 4], 0);
  EXPECT_EQ(bytes[table + 5], 3);

  const Bitmap back = DecodeJpeg(bytes);
  ASSERT_EQ(back.Width(), 64);
  ASSERT_EQ(back.Height(), 48);
  int worst = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) {
      EXPECT_EQ(back.At(x, y) >> 24, 0u);
      for (int shift : {0, 8, 16}) {
        worst = std::max(worst, std::abs(Channel(back.At(x, y), shift) - Channel(picture.At(x, y), shift)));
      }
    }
  }
  EXPECT_LE(worst, 12);
}

TEST(JpegFile, DecodesGreyscaleAndCmykFiles) {
  const unsigned char grey[1] = {100};
  const Bitmap fromGrey = DecodeJpeg(LibjpegFile(JCS_GRAYSCALE, 1, 16, 8, grey));
  EXPECT_EQ(fromGrey.Width(), 16);
  EXPECT_EQ(fromGrey.At(5, 5), RgbPixel(100, 100, 100));
  // libjpeg writes CMYK with the Adobe marker, which stores the inks inverted.
  const unsigned char red[4] = {255, 0, 0, 255};
  const Pixel fromCmyk = DecodeJpeg(LibjpegFile(JCS_CMYK, 4, 16, 8, red)).At(3, 3);
  EXPECT_GE(Channel(fromCmyk, 16), 250);
  EXPECT_LE(Channel(fromCmyk, 8), 5);
  EXPECT_LE(Channel(fromCmyk, 0), 5);
}

// A cut file is damaged, refused with libjpeg's "premature end" code; only
// one short of its end marker, or cut within its last row of blocks, is
// taken, the rest of that row grey.
TEST(JpegFile, ACutFileIsAnErrorUnlessOnlyItsLastRowIsShort) {
  const std::string bytes = EncodeJpeg(Gradient(64, 64));
  const std::string baseline = bytes.substr(0, bytes.size() / 2);
  EXPECT_EQ(MessageOf([&] { DecodeJpeg(baseline); }), JpegError(JWRN_JPEG_EOF));
  EXPECT_EQ(MessageOf([&] { DecodeJpegReduced(baseline, 8, 8); }), JpegError(JWRN_JPEG_EOF));
  // A progressive file cut within a scan; cut between two scans it is whole,
  // if coarser.
  const unsigned char sample[3] = {10, 200, 30};
  const std::string progressive = LibjpegFile(JCS_RGB, 3, 256, 256, sample, true);
  const std::size_t first = progressive.find("\xFF\xDA"), second = progressive.find("\xFF\xDA", first + 2);
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(MessageOf([&] { DecodeJpeg(progressive.substr(0, (first + second) / 2)); }), JpegError(JWRN_JPEG_EOF));
  EXPECT_EQ(DecodeJpeg(progressive.substr(0, second)).Width(), 256);

  const std::string noEnd = bytes.substr(0, bytes.size() - 2);
  EXPECT_EQ(DecodeJpeg(noEnd).At(63, 63), DecodeJpeg(bytes).At(63, 63));
  // 4:2:0, so the last row of blocks is the last 16 rows.
  const Bitmap shortLast = DecodeJpeg(bytes.substr(0, bytes.size() - 40));
  EXPECT_EQ(shortLast.At(0, 0), DecodeJpeg(bytes).At(0, 0));
}

TEST(JpegFile, AReducedDecodeStaysAtLeastAsLargeAsAsked) {
  const std::string bytes = EncodeJpeg(Bitmap(800, 600, RgbPixel(40, 140, 220)));
  const auto size = [&](int w, int h) {
    const Bitmap b = DecodeJpegReduced(bytes, w, h);
    return std::to_string(b.Width()) + "x" + std::to_string(b.Height());
  };
  EXPECT_EQ(size(125, 93), "200x150");  // an eighth would be narrower than 125
  EXPECT_EQ(size(100, 75), "100x75");
  EXPECT_EQ(size(400, 301), "800x600");
  EXPECT_EQ(size(0, 0), "800x600");
  // Rounded up: 801 / 8 is 101.
  EXPECT_EQ(DecodeJpegReduced(EncodeJpeg(Bitmap(801, 600, 0)), 101, 75).Width(), 101);
  const Bitmap reduced = DecodeJpegReduced(bytes, 100, 75);
  EXPECT_LE(std::abs(Channel(reduced.At(50, 40), 16) - 40), 3);
  EXPECT_LE(std::abs(Channel(reduced.At(50, 40), 0) - 220), 3);
}

TEST(JpegFile, ReportsCodecFileAndMemoryErrors) {
  test::ScratchDir dir;
  EXPECT_EQ(MessageOf([&] { ReadJpegFile(dir / "a.jpg"); }),
            "Cannot open file \"" + (dir / "a.jpg") + "\". No such file or directory");
  EXPECT_EQ(MessageOf([] { DecodeJpeg("not a picture"); }), JpegError(JERR_NO_SOI));
  EXPECT_EQ(MessageOf([] { DecodeJpeg(""); }), JpegError(JERR_INPUT_EMPTY));
  EXPECT_EQ(MessageOf([] { DecodeJpeg("\xFF\xD8\xFF\xE0"); }),
            JpegError(JWRN_JPEG_EOF));  // cut after its start
  EXPECT_EQ(MessageOf([] { EncodeJpeg(Bitmap()); }), JpegError(JERR_EMPTY_IMAGE));

  // A frame header claiming 60000 x 60000 pixels: refused for its size, and
  // the codec's own state is still released (the address sanitizer checks).
  std::string huge = EncodeJpeg(Gradient(16, 16));
  const std::size_t frame = huge.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  huge.replace(frame + 5, 4, "\xEA\x60\xEA\x60");
  EXPECT_EQ(MessageOf([&] { DecodeJpeg(huge); }), "The picture is too large: 60000 x 60000 pixels do not fit in memory");
}

TEST(JpegFile, AFailedWriteKeepsThePreviousFile) {
  test::ScratchDir dir;
  const std::string path = dir / "1.jpg";
  WriteJpegFile(Gradient(8, 8), path);
  const std::string previous = test::ReadFile(path);
  EXPECT_EQ(MessageOf([&] { WriteJpegFile(Bitmap(), path); }), JpegError(JERR_EMPTY_IMAGE));
  EXPECT_EQ(test::ReadFile(path), previous);
  EXPECT_EQ(MessageOf([&] { WriteJpegFile(Gradient(8, 8), dir / "gone/1.jpg"); }),
            "Cannot create file \"" + (dir / "gone/1.jpg") + "\". No such file or directory");
}

TEST(PictureIo, RecognisesPicturesByContent) {
  test::ScratchDir dir;
  const std::string bmp = EncodeBmp24(Gradient(4, 4));
  const std::string jpeg = EncodeJpeg(Gradient(4, 4));
  const struct {
    std::string name, bytes;
    PictureKind kind;
  } cases[] = {
      {"wallpaper", bmp, PictureKind::kBmp},
      {"PHOTO.JPG", jpeg, PictureKind::kJpeg},
      {"TranscodedWallpaper", jpeg, PictureKind::kJpeg},
      {"photo.jpg.bmp", jpeg, PictureKind::kJpeg},
      {"a.png", "\x89PNG\r\n\x1A\n" + std::string(40, '\0'), PictureKind::kPng},
      {"a.webp", std::string("RIFF\x20\0\0\0WEBPVP8 ", 16), PictureKind::kWebp},
      {"a.gif", "GIF89a" + std::string(40, '\0'), PictureKind::kNone},
      {"empty.jpg", "", PictureKind::kNone},
      {"cut.bmp", bmp.substr(0, 16), PictureKind::kNone},
      {"cut.jpg", jpeg.substr(0, 3), PictureKind::kNone},
      {"note.bmp", "BMW owners' club", PictureKind::kNone},
  };
  for (const auto& c : cases) {
    test::WriteFile(dir / c.name, c.bytes);
    EXPECT_EQ(SniffPictureFile(dir / c.name), c.kind) << c.name;
  }
  EXPECT_EQ(SniffPictureFile(dir / "missing.jpg"), PictureKind::kNone);
  EXPECT_EQ(SniffPictureFile(""), PictureKind::kNone);
}

}  // namespace
}  // namespace velmora
