#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <random>
#include <set>

#include <gtest/gtest.h>

#include "imaging/BmpFile.h"
#include "tests/unit/TestSupport.h"
#include "tests/unit/imaging/PictureTestSupport.h"

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
  // Past two vectors of sixteen pixels, with every remainder.
  for (int width = 1; width <= 40; ++width) {
    Bitmap picture = Bitmap::Uninitialized(width, 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < width; ++x) picture.Set(x, y, random() & 0xFFFFFF);
    const Bitmap back = DecodeBmp(EncodeBmp24(picture));
    ASSERT_EQ(back.Width(), width);
    ASSERT_EQ(back.Height(), 3);
    EXPECT_EQ(test::PixelsOf(back), test::PixelsOf(picture)) << width;
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

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

// Colour table entries 0 to 4: white, red, green, blue, yellow.
const std::string kFivePalette =
    Quad(255, 255, 255) + Quad(255, 0, 0) + Quad(0, 255, 0) + Quad(0, 0, 255) + Quad(255, 255, 0);

TEST(BmpFile, ReadsRunLengthEncodedPicturesWithEveryEscape) {
  // 8 bits, rows bottom-up, so the first codes paint the bottom row.
  const std::string rle8 = Bytes({3, 1,              // three reds
                                  0, 3, 2, 3, 4, 0,  // absolute run green, blue, yellow, padded; yellow
                                                     // falls past the row's end and is dropped
                                  0, 0,              // end of line
                                  1, 2,              // one green
                                  0, 2, 1, 1,        // delta: one right, one row up
                                  2, 4,              // two yellows
                                  0, 1,              // end of bitmap
                                  9, 9});            // past the end: ignored
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(40, 5, 3, 8, 1, kFivePalette, rle8, "", 5))),
            (Rows{"..yy.", "g....", "rrrgb"}));  // skipped pixels take entry 0
  // 4 bits: a run alternates the value's two nibbles, an absolute run of five
  // nibbles takes three bytes and one of padding; the data may end on the last
  // row without an end-of-bitmap code.
  const std::string rle4 = Bytes({6, 0x12, 0, 0, 0, 5, 0x23, 0x12, 0x30, 0, 1, 0x10});
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(40, 6, 2, 4, 2, kFivePalette, rle4, "", 5))), (Rows{"gbrgbr", "rgrgrg"}));
  // Top-down run-length data is read top-down, in a V5 header as in a plain one.
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(124, 2, -2, 8, 1, kFivePalette, Bytes({2, 3, 0, 0, 2, 1}), "", 5))),
            (Rows{"bb", "rr"}));
  // Runs that begin past the row's end, and a delta beyond the picture.
  EXPECT_EQ(
      RowsOf(DecodeBmp(Bmp(40, 2, 2, 8, 1, kFivePalette, Bytes({3, 1, 4, 2, 0, 2, 0, 9, 4, 4}), "", 5))),
      (Rows{"..", "rr"}));

  // Cut short: inside an absolute run, inside a delta, in a pair, or before the last row.
  for (const std::string& cut : {Bytes({0, 5, 1, 2}), Bytes({0, 2, 1}), Bytes({3}), Bytes({2, 1, 0, 0})}) {
    EXPECT_EQ(MessageOf([&] { DecodeBmp(Bmp(40, 2, 3, 8, 1, kFivePalette, cut, "", 5)); }),
              "Stream read error");
  }
  // Run-length data of the wrong depth.
  EXPECT_EQ(MessageOf([&] {
              DecodeBmp(Bmp(40, 2, 1, 4, 1, kFivePalette, Bytes({0, 1}), "", 5));
            }),
            "Bitmap image is not valid");
  EXPECT_EQ(MessageOf([&] {
              DecodeBmp(Bmp(40, 2, 1, 8, 2, kFivePalette, Bytes({0, 1}), "", 5));
            }),
            "Bitmap image is not valid");
}

TEST(BmpFile, ReadsShortColourTablesAndTheCoreHeader) {
  const std::string twoColours = Quad(255, 0, 0) + Quad(0, 0, 255);
  // No count of used colours, but the pixels begin after two entries; an
  // index past them reads as black.
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(40, 3, 1, 8, 0, twoColours, Bytes({1, 0, 7, 0})))), (Rows{"br#"}));
  // The core header's table has entries of three bytes, as long as the pixels leave room for.
  const std::string triples = Bytes({0, 255, 0, 0, 255, 255});  // green, yellow
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(12, 3, 1, 4, 0, triples, Bytes({0x01, 0x10, 0, 0})))), (Rows{"gyy"}));
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(12, 2, 1, 1, 0, Bytes({0, 0, 0, 255, 255, 255}), Bytes({0x40, 0, 0, 0})))),
            (Rows{"#."}));
}

TEST(BmpFile, ReadsLaterHeadersAndMasksOfAnyWidth) {
  auto pixel16 = [](std::uint32_t v) { return Le(v, 2) + Le(0, 2); };
  // Version 4: masks in the header; 32 bits with 10-bit channels.
  const std::string masks101010 = Le(0x3FF00000, 4) + Le(0x000FFC00, 4) + Le(0x000003FF, 4);
  EXPECT_EQ(DecodeBmp(Bmp(108, 1, 1, 32, 3, "", Le(1023u << 20 | 512u << 10 | 3u, 4), masks101010)).At(0, 0),
            RgbPixel(255, 128, 0));
  // Version 5 with alpha bit fields: 4-bit channels, the alpha mask ignored.
  const std::string masks4444 = Le(0x0F00, 4) + Le(0x00F0, 4) + Le(0x000F, 4) + Le(0xF000, 4);
  EXPECT_EQ(DecodeBmp(Bmp(124, 1, 1, 16, 6, "", pixel16(0x5F80), masks4444)).At(0, 0), RgbPixel(255, 136, 0));
  // The plain header followed by four masks.
  EXPECT_EQ(DecodeBmp(Bmp(40, 1, 1, 16, 6, masks4444, pixel16(0x00F1))).At(0, 0), RgbPixel(0, 255, 17));
  // One-bit and sixteen-bit channels.
  const std::string masksWide = Le(0x8000, 4) + Le(0xFFFF, 4) + Le(0x2000, 4);
  EXPECT_EQ(DecodeBmp(Bmp(40, 1, 1, 16, 3, masksWide, pixel16(0xA000))).At(0, 0), RgbPixel(255, 160, 255));
  // Without bit fields a version 5 header's masks do not count: 5-5-5 and 8-8-8.
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(124, 1, 1, 16, 0, "", pixel16(0x03E0), masks4444))), (Rows{"g"}));
  EXPECT_EQ(RowsOf(DecodeBmp(Bmp(124, 1, 1, 32, 0, "", std::string("\xFF\0\0\x7F", 4), masks4444))),
            (Rows{"b"}));
  // Bit fields are for 16 and 32 bits only, and need room for their masks.
  EXPECT_EQ(MessageOf([&] { DecodeBmp(Bmp(40, 1, 1, 24, 3, masksWide, std::string(4, '\0'))); }),
            "Bitmap image is not valid");
  EXPECT_EQ(MessageOf([&] { DecodeBmp(Bmp(40, 0, 0, 16, 6, "", "")); }), "Stream read error");
}

// Every way of cutting or damaging a file raises one of the reader's
// messages or gives a picture; nothing reads outside the bytes.
TEST(BmpFile, CutOrDamagedFilesNeverReadPastTheirBytes) {
  const std::string masks565 = Le(0xF800, 4) + Le(0x07E0, 4) + Le(0x001F, 4);
  const std::string files[] = {
      Bmp(40, 5, 3, 8, 1, kFivePalette, Bytes({3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 1, 2, 0, 2, 1, 1, 2, 4, 0, 1}),
          "", 5),
      Bmp(40, 6, 2, 4, 2, kFivePalette, Bytes({6, 0x12, 0, 0, 0, 5, 0x23, 0x12, 0x30, 0, 1, 0x10}), "", 5),
      Bmp(124, 3, 2, 16, 3, "", std::string(16, '\x5A'), masks565),
      Bmp(12, 3, 2, 8, 0, Bytes({1, 2, 3, 4, 5, 6}), std::string(8, '\1')),
      EncodeBmp24(PictureOf({"rgb", "k.#"})),
  };
  const std::set<std::string> messages = {"Stream read error", "Bitmap image is not valid", "Out of memory",
                                          "(no error)"};
  for (const std::string& file : files) {
    const std::size_t pixelsAt = static_cast<unsigned char>(file[10]);
    for (std::size_t size = 1; size < file.size(); ++size) {
      const std::string message = MessageOf([&] { DecodeBmp(file.substr(0, size)); });
      // Only a file with its pixels, perhaps without the last codes or padding, reads.
      if (size <= pixelsAt) {
        EXPECT_EQ(message, "Stream read error") << size;
      }
      EXPECT_TRUE(messages.count(message)) << message;
    }
    for (std::size_t at = 0; at < file.size(); ++at) {
      for (const int flip : {0x01, 0x80, 0xFF}) {
        // The high bytes of the width and height only flip their sign: other
        // values claim millions of pixels, which cost memory and time alone.
        const bool sizeHigh = file[14] == 40 && (at == 20 || at == 21 || at == 24 || at == 25);
        if (sizeHigh && !(flip == 0x80 && (at == 21 || at == 25))) continue;
        std::string damaged = file;
        damaged[at] = static_cast<char>(damaged[at] ^ flip);
        const std::string message = MessageOf([&] { DecodeBmp(damaged); });
        EXPECT_TRUE(messages.count(message) || message.rfind("The picture is too large: ", 0) == 0)
            << at << ": " << message;
      }
    }
  }
}

TEST(BmpFile, ReportsTheRuntimeMessages) {
  test::ScratchDir dir;
  EXPECT_EQ(MessageOf([&] { ReadBmpFile(dir / "1.bmp"); }),
            "Cannot open file \"" + (dir / "1.bmp") + "\". No such file or directory");
  const std::string pixels(8, '\0');
  EXPECT_EQ(MessageOf([&] { DecodeBmp("GIF89a" + std::string(60, '\0')); }), "Bitmap image is not valid");
  EXPECT_EQ(MessageOf([&] { DecodeBmp(Bmp(40, 2, 1, 2, 0, "", pixels)); }), "Bitmap image is not valid");
  EXPECT_EQ(MessageOf([&] { DecodeBmp(Bmp(40, 2, 1, 8, 4, "", pixels)); }),
            "Bitmap image is not valid");  // a JPEG inside
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
  EXPECT_EQ(MessageOf([&] { WriteBmpFile(Bitmap(500, 500, test::kRed), path); }),
            "Cannot write file \"" + path + "\". No space left on device");
  EXPECT_EQ(test::ReadFile(path), previous);
}

}  // namespace
}  // namespace velmora
