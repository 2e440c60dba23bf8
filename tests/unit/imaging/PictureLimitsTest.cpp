// Sizes claimed by a file's header or by the screen are weighed against the
// memory the process can have before anything large is allocated.
#include <gtest/gtest.h>

#include "tests/unit/imaging/PictureTestSupport.h"
#include "tests/unit/TestSupport.h"
#include "base/MemoryLimit.h"
#include "imaging/BmpFile.h"
#include "imaging/JpegFile.h"
#include "imaging/Layers.h"

namespace velmora {
namespace {

using test::MessageOf;

Bitmap Gradient(int width, int height) {
  Bitmap bitmap(width, height, kBlackPixel);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.Set(x, y, RgbPixel(x * 255 / width, y * 255 / height, 128));
  return bitmap;
}

// A Windows 3 BMP header claiming `width` × `height` at 24 bits, with no pixels.
std::string BmpHeader(std::uint32_t width, std::uint32_t height, std::uint32_t compression = 0, int bits = 24) {
  std::string bytes(54, '\0');
  auto put = [&](std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
  };
  put(0, 0x4D42, 2);
  put(2, 54, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, width, 4);
  put(22, height, 4);
  put(26, 1, 2);
  put(28, static_cast<std::uint32_t>(bits), 2);
  put(30, compression, 4);
  return bytes;
}

std::string JpegClaiming(int width, int height, bool progressive = false) {
  std::string jpeg = EncodeJpeg(Gradient(16, 16));
  const std::size_t frame = jpeg.find("\xFF\xC0");
  if (progressive) jpeg[frame + 1] = '\xC2';
  const char size[] = {static_cast<char>(height >> 8), static_cast<char>(height), static_cast<char>(width >> 8),
                       static_cast<char>(width)};
  jpeg.replace(frame + 5, 4, size, 4);
  return jpeg;
}

struct MemoryCap {
  explicit MemoryCap(std::uint64_t bytes) { LimitAvailableMemory(bytes); }
  ~MemoryCap() { LimitAvailableMemory(0); }
};

TEST(PictureLimits, AHeaderClaimingMoreThanMemoryIsRefusedNamingItsSize) {
  const std::string refused = "The picture is too large: 60000 x 60000 pixels do not fit in memory";
  EXPECT_EQ(MessageOf([] { DecodeJpeg(JpegClaiming(60000, 60000)); }), refused);
  EXPECT_EQ(MessageOf([] { DecodeJpeg(JpegClaiming(60000, 60000, true)); }), refused);
  // Before the check of the pixels' length, and whatever the compression.
  EXPECT_EQ(MessageOf([] { DecodeBmp(BmpHeader(60000, 60000)); }), refused);
  EXPECT_EQ(MessageOf([] { DecodeBmp(BmpHeader(60000, static_cast<std::uint32_t>(-60000))); }), refused);
  EXPECT_EQ(MessageOf([] { DecodeBmp(BmpHeader(60000, 60000, 1, 8)); }), refused);
  // A size that fits is read on and fails for its missing pixels.
  EXPECT_EQ(MessageOf([] { DecodeBmp(BmpHeader(600, 600)); }), "Stream read error");
  // A preview reduced by the codec still needs no more than its reduced pixels.
  EXPECT_NE(MessageOf([] { DecodeJpegReduced(JpegClaiming(30000, 20000), 100, 100); }).rfind("The picture", 0), 0u);
}

TEST(PictureLimits, TheLimitIsWhatTheProcessCanStillHave) {
  const std::string bmp = EncodeBmp24(Gradient(100, 50));
  const std::string jpeg = EncodeJpeg(Gradient(100, 50));
  {
    const MemoryCap cap(100 * 50 * 4 - 1);
    EXPECT_EQ(MessageOf([&] { DecodeBmp(bmp); }),
              "The picture is too large: 100 x 50 pixels do not fit in memory");
    EXPECT_EQ(MessageOf([&] { DecodeJpeg(jpeg); }),
              "The picture is too large: 100 x 50 pixels do not fit in memory");
  }
  EXPECT_EQ(DecodeBmp(bmp).Width(), 100);
  EXPECT_EQ(DecodeJpeg(jpeg).Height(), 50);
}

// A fuzzing finding: 1000 x 1000 pixels, baseline, each component in a scan of
// its own, cut after the first scan's start.
TEST(PictureLimits, AJpegInSeparateScansCountsItsCoefficients) {
  const std::string separate = test::ReadFile(VELMORA_SOURCE_DIR "/fuzz/findings/jpeg/separate-scans-coefficients.jpg");
  const std::string interleaved = EncodeJpeg(Gradient(1000, 1000));
  const MemoryCap cap(5'000'000);  // the pixels, not the coefficients besides
  EXPECT_EQ(MessageOf([&] { DecodeJpeg(separate); }),
            "The picture is too large: 1000 x 1000 pixels do not fit in memory");
  EXPECT_EQ(DecodeJpeg(interleaved).Width(), 1000);
}

TEST(PictureLimits, TheScreensPicturesAreWeighedBeforeTheyAreMade) {
  Layers layers;
  const std::string refused =
      "The screen is too large: the pictures of a 1920 x 1080 pixel screen do not fit in memory";
  // 1080 rows are 34 bands of 32 rows, the last one cut.
  const std::uint64_t bands = 34;
  EXPECT_EQ(ScreenBands(1080), bands);
  EXPECT_EQ(ScreenBandBytes(1920, 1080), 1920u * 32 * 4);
  EXPECT_EQ(ScreenBandBytes(1920, 20), 1920u * 20 * 4);
  EXPECT_NO_THROW(CheckScreenFits(layers, 1920, 1080, kScreenPictures * bands));
  EXPECT_EQ(MessageOf([&] { CheckScreenFits(layers, 1920, 1080, kScreenPictures * bands - 1); }), refused);
  // A layer of the screen's size already keeps its memory.
  layers.i1 = Bitmap(1920, 1080, kWhitePixel);
  layers.i4 = Bitmap(1080, 1920, kWhitePixel);
  layers.i5 = Bitmap(1920, 1000, kWhitePixel);
  EXPECT_NO_THROW(CheckScreenFits(layers, 1920, 1080, (kScreenPictures - 2) * bands));
  EXPECT_EQ(MessageOf([&] { CheckScreenFits(layers, 1920, 1080, (kScreenPictures - 2) * bands - 1); }), refused);
  // No layer may reach 2 GiB, however much memory there is.
  EXPECT_EQ(MessageOf([&] { CheckScreenFits(layers, 32768, 16384, UINT64_MAX); }),
            "The screen is too large: the pictures of a 32768 x 16384 pixel screen do not fit in memory");

  // Free stretches of address space: two of 1000 bytes and one of 600 hold
  // ten pictures of 248 bytes (4 + 4 + 2), not of 260, though they add up to more.
  const auto stretches = [](std::uint64_t bytes) { return 2 * (1000 / bytes) + 600 / bytes; };
  EXPECT_EQ(LargestScreenPixels(stretches), 62u);
  EXPECT_EQ(LargestScreenPixels([](std::uint64_t) { return UINT64_MAX; }), ((1u << 31) - 1) / 4);
}

TEST(PictureLimits, TheMemoryCapCountsBlocks) {
  {
    const MemoryCap cap(1000);
    EXPECT_EQ(BlocksThatFit(300, 10), 3u);
    EXPECT_EQ(BlocksThatFit(300, 2), 2u);
    EXPECT_EQ(BlocksThatFit(1001, 10), 0u);
  }
  EXPECT_EQ(BlocksThatFit(1 << 20, 10), 10u);
}

}  // namespace
}  // namespace velmora
