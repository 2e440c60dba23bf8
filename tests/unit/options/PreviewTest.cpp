#include <gtest/gtest.h>

#include "base/Errors.h"
#include "options/Preview.h"
#include "imaging/JpegFile.h"
#include "tests/unit/TestSupport.h"
#include "tests/unit/imaging/PictureTestSupport.h"

namespace velmora {
namespace {

using test::MessageOf;

bool Near(Pixel a, Pixel b) {
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) > 6) return false;
  return true;
}

TEST(Preview, PicturesAreKnownByTheirExtensionInAnyCase) {
  for (const char* name : {"C:\\p\\sea.jpg", "C:\\p\\SEA.JPEG", "sea.view.Jpg", "C:\\a.b\\x.jpeg", "a.PNG", "b.webp"})
    EXPECT_TRUE(IsPictureFileName(name)) << name;
  for (const char* name : {"C:\\p\\sea.bmp", "C:\\p.jpg\\readme", "sea.jpg.txt", "", "C:\\p\\jpg", "x.jpe", "C:\\p.png\\x", "x.gif"})
    EXPECT_FALSE(IsPictureFileName(name)) << name;
}

TEST(Preview, APngsSeeThroughPartShowsTheDesktopsColour) {
  test::ScratchDir dir;
  test::WriteFile(dir / "glass.png", test::PngFileOf(Bitmap(1, 1, RgbPixel(255, 0, 0)), true));
  EXPECT_EQ(LoadPreview(dir / "glass.png", 1, 1, kWhitePixel).At(0, 0), RgbPixel(255, 127, 127));
}

TEST(Preview, ALargePictureComesSmoothlyToThePreviewSize) {
  test::ScratchDir dir;
  // Green top half, yellow bottom half.
  Bitmap picture(1000, 744, RgbPixel(0, 200, 0));
  for (int y = 372; y < 744; ++y)
    for (int x = 0; x < 1000; ++x) picture.Set(x, y, RgbPixel(230, 220, 0));
  WriteJpegFile(picture, dir / "sea.JPG");
  const Bitmap preview = LoadPreview(dir / "sea.JPG");
  ASSERT_EQ(preview.Width(), kPreviewWidth);
  ASSERT_EQ(preview.Height(), kPreviewHeight);
  EXPECT_TRUE(Near(preview.At(10, 10), RgbPixel(0, 200, 0)));
  EXPECT_TRUE(Near(preview.At(120, 80), RgbPixel(230, 220, 0)));

  // Black lines on every other row: a preview that dropped rows would show
  // them black or white, a smooth one grey.
  Bitmap lines(500, 372, RgbPixel(255, 255, 255));
  for (int y = 0; y < 372; y += 2)
    for (int x = 0; x < 500; ++x) lines.Set(x, y, kBlackPixel);
  WriteJpegFile(lines, dir / "lines.jpeg");
  const Bitmap grey = LoadPreview(dir / "lines.jpeg");
  for (int y : {10, 50, 80}) {
    const int level = static_cast<int>(grey.At(60, y) & 0xFF);
    EXPECT_GT(level, 90) << y;
    EXPECT_LT(level, 170) << y;
  }
}

TEST(Preview, FilesThatAreNoJpegPictureRaiseTheirErrors) {
  test::ScratchDir dir;
  EXPECT_EQ(MessageOf([&] { LoadPreview(dir / "sea.bmp"); }), "Unknown picture file extension (.bmp)");
  EXPECT_EQ(MessageOf([&] { LoadPreview("C:\\pics\\readme"); }), "Unknown picture file extension (.)");
  EXPECT_EQ(MessageOf([&] { LoadPreview(dir / "gone.jpg"); }),
            "Cannot open file \"" + (dir / "gone.jpg") + "\". No such file or directory");
  test::WriteFile(dir / "renamed.jpg", "BM this was never a JPEG picture, only renamed to one");
  EXPECT_EQ(MessageOf([&] { LoadPreview(dir / "renamed.jpg"); }).rfind("JPEG error #", 0), 0u);
}

}  // namespace
}  // namespace velmora
