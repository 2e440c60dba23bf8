#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <random>

#include <gtest/gtest.h>

#include "picture/BmpFile.h"
#include "tests/unit/TestSupport.h"
#include "tests/unit/picture/PictureTestSupport.h"

namespace velmora {
namespace {

using test::MessageOf;
using test::PictureOf;
using test::RowsOf;
using Rows = std::vector<std::string>;

std::string Le(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
  return out;
}

// A BMP file: information header of `headerSize` bytes (12 for the core
// header), then `extra` (masks, colour table), then the pixel rows as given.
std::string Bmp(int headerSize, int width, int height, int bits, std::uint32_t compression,
                const std::string& extra, const std::string& rows, const std::string& masksInHeader = "",
                int colorsUsed = 0) {
  std::string header;
  if (headerSize == 12) {
    header = Le(12, 4) + Le(width, 2) + Le(height, 2) + Le(1, 2) + Le(bits, 2);
  } else {
    header = Le(headerSize, 4) + Le(width, 4) + Le(height, 4) + Le(1, 2) + Le(bits, 2) + Le(compression, 4) +
             std::string(12, '\0') + Le(colorsUsed, 4) + Le(0, 4) + masksInHeader;
    header.resize(headerSize, '\0');
  }
  const std::size_t offset = 14 + header.size() + extra.size();
  return "BM" + Le(static_cast<std::uint32_t>(offset + rows.size()), 4) + Le(0, 4) + Le(offset, 4) + header +
         extra + rows;
}

std::string Quad(int r, int g, int b) {
  return {static_cast<char>(b), static_cast<char>(g), static_cast<char>(r), 0};
}

TEST(BmpFile, WritesTwentyFourBitFilesByteForByte) {
  const std::string expected =
      "BM" + Le(78, 4) + Le(0, 4) + Le(54, 4) +                              // file header
      Le(40, 4) + Le(3, 4) + Le(2, 4) + Le(1, 2) + Le(24, 2) + Le(0, 4) +    // information header
      Le(24, 4) + std::string(16, '\0') +                                    //
      std::string("\xBC\x61\x4E\xFF\xFF\xFF\x00\x00\x00\x00\x00\x00", 12) +  // bottom row: key, white, black
      std::string("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00\x00\x00\x00", 12);   // top row: red, green, blue
  EXPECT_EQ(EncodeBmp24(PictureOf({"rgb", "k.#"})), expected);

  test::ScratchDir dir;
  WriteBmpFile(PictureOf({"rgb", "k.#"}), dir / "1.bmp");
  EXPECT_EQ(test::ReadFile(dir / "1.bmp"), expected);
  EXPECT_EQ(EncodeBmp24(Bitmap()), "BM" + Le(54, 4) + Le(0, 4) + Le(54, 4) + Le(40, 4) +
                                       std::string(8, '\0') + Le(1, 2) + Le(24, 2) + std::string(24, '\0'));
}

TEST(BmpFile, WrittenFilesReadBackExactlyAtEveryRowLength) {
  std::mt19937 random(7);
  for (int width = 1; width <= 9; ++width) {
    Bitmap picture = Bitmap::Uninitialized(width, 3);
    for (int i = 0; i < width * 3; ++i) picture.Pixels()[i] = random() & 0xFFFFFF;
    const Bitmap back = DecodeBmp(EncodeBmp24(picture));
    ASSERT_EQ(back.Width(), width);
    ASSERT_EQ(back.Height(), 3);
    EXPECT_TRUE(std::equal(back.Pixels(), back.Pixels() + width * 3, picture.Pixels())) << width;
  }
}

TEST(BmpFile, ReadsTheCommonDepthsRowOrdersAndMasks) {
  const std::string pad3(3, '\0'), pad2(2, '\0');
  const std::string twoColours = Quad(255, 0, 0) + Quad(0, 0, 255);
  // 1 bit, bottom-up: the last row of the file is the top row of the picture.
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(40, 3, 2, 1, 0, twoColours, "\xA0" + pad3 + "\x40" + pad3))),
            (Rows{"rbr", "brb"}));
  // 4 bits with a short colour table, top-down.
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(40, 3, -1, 4, 0, twoColours, std::string("\x10\0\0\0", 4), "", 2))),
            (Rows{"brr"}));
  // 8 bits; an index past the colour table reads as black.
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(40, 2, 1, 8, 0, twoColours, std::string("\x01\x07\0\0", 4), "", 2))),
            (Rows{"b#"}));
  // 16 bits 5-5-5, and 5-6-5 through masks after the header and inside a version 5 header.
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(40, 2, 1, 16, 0, "", Le(0x7C00, 2) + Le(0x7FFF, 2)))), (Rows{"r."}));
  const std::string masks565 = Le(0xF800, 4) + Le(0x07E0, 4) + Le(0x001F, 4);
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(40, 2, 1, 16, 3, masks565, Le(0x07E0, 2) + Le(0x001F, 2)))), (Rows{"gb"}));
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(124, 2, 1, 16, 3, "", Le(0xF800, 2) + Le(0xFFFF, 2), masks565))),
            (Rows{"r."}));
  // 24 bits in the core header and top-down in the plain one.
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(12, 1, 2, 24, 0, "", std::string("\xFF\0\0\0\0\0\xFF\0", 8)))),
            (Rows{"r", "b"}));
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(40, 1, -2, 24, 0, "", std::string("\xFF\0\0\0\0\0\xFF\0", 8)))),
            (Rows{"b", "r"}));
  // 32 bits: the fourth byte is dropped, so colours compare exactly.
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(40, 1, 1, 32, 0, "", "\xBC\x61\x4E\xFF"))), (Rows{"k"}));
  const std::string masksRgbx = Le(0xFF, 4) + Le(0xFF00, 4) + Le(0xFF0000, 4);
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(40, 1, 1, 32, 3, masksRgbx, std::string("\xFF\0\0\x80", 4)))), (Rows{"r"}));
  // A 5-bit channel at full value is 255; half way is 132.
  EXPECT_EQ(DecodeBmp(Bmp(40, 1, 1, 16, 0, "", Le(0x4210, 2) + pad2)).At(0, 0), RgbPixel(132, 132, 132));
}

TEST(BmpFile, ReportsTheRuntimeMessages) {
  test::ScratchDir dir;
  EXPECT_EQ(MessageOf([&] { ReadBmpFile(dir / "1.bmp"); }),
            "Cannot open file \"" + (dir / "1.bmp") + "\". No such file or directory");
  const std::string pixels(8, '\0');
  EXPECT_EQ(MessageOf([&] { DecodeBmp("GIF89a" + std::string(60, '\0')); }), "Bitmap image is not valid");
  EXPECT_EQ(MessageOf([&] { DecodeBmp(Bmp(40, 2, 1, 2, 0, "", pixels)); }), "Bitmap image is not valid");
  EXPECT_EQ(MessageOf([&] { DecodeBmp(Bmp(40, 2, 1, 8, 1, "", pixels)); }),
            "Bitmap image is not valid");  // RLE
  EXPECT_EQ(MessageOf([&] { DecodeBmp(Bmp(40, 2, 2, 24, 0, "", pixels)); }), "Stream read error");
  EXPECT_EQ(MessageOf([&] { DecodeBmp("BM" + Le(0, 4)); }), "Stream read error");
  test::WriteFile(dir / "empty.bmp", "");
  EXPECT_TRUE(ReadBmpFile(dir / "empty.bmp").Empty());
}

TEST(BmpFile, AFailedWriteKeepsThePreviousFile) {
  test::ScratchDir dir;
  EXPECT_EQ(MessageOf([&] { WriteBmpFile(PictureOf({"r"}), dir / "gone/1.bmp"); }),
            "Cannot create file \"" + (dir / "gone/1.bmp") + "\". No such file or directory");
  const std::string path = dir / "2.bmp";
  WriteBmpFile(PictureOf({"k"}), path);
  const std::string previous = test::ReadFile(path);
  ASSERT_EQ(symlink("/dev/full", (path + ".tmp").c_str()), 0);
  EXPECT_EQ(MessageOf([&] { WriteBmpFile(Bitmap(500, 500, test::kRed), path); }), "Disk full");
  EXPECT_EQ(test::ReadFile(path), previous);
}

}  // namespace
}  // namespace velmora
