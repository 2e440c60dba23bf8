#include <gtest/gtest.h>

#include "imaging/BmpFile.h"
#include "imaging/JpegFile.h"
#include "imaging/WallpaperCompose.h"
#include "tests/unit/TestSupport.h"
#include "tests/unit/imaging/PictureTestSupport.h"

namespace velmora {
namespace {

using test::MessageOf;
using test::PictureOf;
using test::RowsOf;
using Rows = std::vector<std::string>;

struct Size {
  int width, height;
  friend bool operator==(const Size&, const Size&) = default;
};
Size SizeOf(const Bitmap& bitmap) {
  return {bitmap.Width(), bitmap.Height()};
}

TEST(WallpaperCompose, TheNewBackgroundIsSizedWithoutScaling) {
  Layers layers;
  layers.i4 = Bitmap(500, 400, kWhitePixel);
  const struct {
    Size canvas, picture, expected;
  } cases[] = {
      {{254, 209}, {300, 300}, {500, 400}},     // not shown yet: the composed layer's size
      {{254, 209}, {200, 300}, {254, 209}},     // smaller than the design size
      {{1024, 740}, {800, 600}, {1024, 740}},   // smaller than the work area
      {{1024, 740}, {2000, 500}, {1024, 740}},  // wider but less tall: the width is cut
      {{1024, 740}, {2000, 800}, {2000, 800}},  // larger: kept whole
  };
  for (const auto& c : cases) {
    layers.canvasWidth = c.canvas.width;
    layers.canvasHeight = c.canvas.height;
    Bitmap background(c.picture.width, c.picture.height, kBlackPixel);
    SizeBackground(layers, background);
    EXPECT_EQ(SizeOf(background), c.expected) << c.picture.width << " x " << c.picture.height;
  }
  layers.canvasWidth = 3;
  layers.canvasHeight = 2;
  Bitmap small = PictureOf({"rb"});
  SizeBackground(layers, small);
  EXPECT_EQ(RowsOf(small), (Rows{"rb.", "..."}));
}

// A session-free desktop: the drawing reaches into the top row and left column.
Layers Desktop() {
  Layers layers;
  layers.canvasWidth = 4;
  layers.canvasHeight = 3;
  layers.i5 = PictureOf({"rkkk", "kkkk", "kkkb"});
  layers.i2 = PictureOf({"yyyy", "yyyy", "yyyy"});
  Compose(layers.i4, layers.i2, layers.i5);
  return layers;
}

TEST(WallpaperCompose, AChangeLaysTheDrawingOverTheNewPictureAndWritesIt) {
  test::ScratchDir dir;
  const std::string jpeg = dir / "new.jpg";
  WriteJpegFile(Bitmap(3, 2, RgbPixel(0, 0, 255)), jpeg);
  const Bitmap decoded = ReadJpegFile(jpeg);
  Layers layers = Desktop();
  ChangeWallpaperPicture(layers, jpeg, dir.Path() + "/");

  // Grown to the canvas with white, then the drawing laid over it.
  Bitmap expected = decoded.Clone();
  expected.Resize(4, 3);
  EXPECT_EQ(SizeOf(layers.i2), (Size{4, 3}));
  EXPECT_EQ(test::PixelsOf(layers.i2), test::PixelsOf(expected));
  expected.Set(0, 0, test::kRed);
  expected.Set(3, 2, RgbPixel(0, 0, 255));
  EXPECT_EQ(test::PixelsOf(layers.i4), test::PixelsOf(expected));
  EXPECT_EQ(test::ReadFile(dir / "1.bmp"), EncodeBmp24(expected));
}

TEST(WallpaperCompose, AFailedChangeLeavesLayersAndFileAsTheyWere) {
  test::ScratchDir dir;
  test::WriteFile(dir / "1.bmp", "previous");
  test::WriteFile(dir / "broken.jpg", "\xFF\xD8\xFF\xE0 not really");
  Layers layers = Desktop();
  EXPECT_EQ(MessageOf([&] {
              ChangeWallpaperPicture(layers, dir / "broken.jpg", dir.Path() + "/");
            }).rfind("JPEG error #", 0),
            0u);
  EXPECT_EQ(MessageOf([&] { ChangeWallpaperPicture(layers, dir / "none.jpg", dir.Path() + "/"); }),
            "Cannot open file \"" + (dir / "none.jpg") + "\". No such file or directory");
  // A picture grown beyond memory: nothing is lost either.
  WriteJpegFile(PictureOf({"rb"}), dir / "small.jpg");
  layers.canvasWidth = layers.canvasHeight = 40000;
  EXPECT_EQ(MessageOf([&] { ChangeWallpaperPicture(layers, dir / "small.jpg", dir.Path() + "/"); }),
            "Out of memory");
  EXPECT_EQ(RowsOf(layers.i2), (Rows{"yyyy", "yyyy", "yyyy"}));
  EXPECT_EQ(RowsOf(layers.i4), (Rows{"ryyy", "yyyy", "yyyb"}));
  EXPECT_EQ(test::ReadFile(dir / "1.bmp"), "previous");
}

TEST(WallpaperCompose, AChangeWhoseWriteFailsStillHoldsTheNewPictureWhole) {
  test::ScratchDir dir;
  const std::string jpeg = dir / "new.jpg";
  WriteJpegFile(Bitmap(3, 2, RgbPixel(0, 0, 255)), jpeg);
  Bitmap expected = ReadJpegFile(jpeg);
  expected.Resize(4, 3);
  Layers layers = Desktop();
  EXPECT_EQ(MessageOf([&] {
              ChangeWallpaperPicture(layers, jpeg, dir / "missing" + "/");
            }).rfind("Cannot create file", 0),
            0u);
  EXPECT_EQ(test::PixelsOf(layers.i2), test::PixelsOf(expected));
  expected.Set(0, 0, test::kRed);
  expected.Set(3, 2, RgbPixel(0, 0, 255));
  EXPECT_EQ(test::PixelsOf(layers.i4), test::PixelsOf(expected));
}

// The first start's files for a desktop wallpaper, on a 6 x 4 screen.
struct FirstStart {
  test::ScratchDir dir;
  Layers layers;
  std::vector<std::string> currentWallpapers;
  std::vector<std::string> errors;

  void Run(const std::string& wallpaper) {
    PrepareLayers(layers, wallpaper, true, dir.Path() + "/", {6, 4, 0x00808000},
                  {.setCurrentWallpaper = [&](const std::string& path) { currentWallpapers.push_back(path); },
                   .reportError = [&](const Error& error) { errors.push_back(error.what()); }});
  }
  void ExpectTheDesktopColour(const std::string& what) const {
    EXPECT_EQ(currentWallpapers, (std::vector<std::string>{dir / "1.jpg"})) << what;
    EXPECT_EQ(SizeOf(layers.i4), (Size{6, 4})) << what;
    for (const Pixel pixel : test::PixelsOf(layers.i4)) ASSERT_EQ(pixel, RgbPixel(0, 128, 128)) << what;
    EXPECT_EQ(SizeOf(ReadJpegFile(dir / "1.jpg")), (Size{6, 4})) << what;
    EXPECT_EQ(RowsOf(layers.i5), Rows(4, "kkkkkk")) << what;
  }
};

TEST(WallpaperCompose, FirstStartKeepsAJpegWallpaperWhateverItsName) {
  FirstStart start;
  const Bitmap photo = Bitmap(16, 8, RgbPixel(0, 0, 255));
  WriteJpegFile(photo, start.dir / "PHOTO.JPG");
  start.Run(start.dir / "PHOTO.JPG");
  EXPECT_TRUE(start.currentWallpapers.empty());
  EXPECT_FALSE(test::Exists(start.dir / "1.jpg"));
  EXPECT_EQ(test::ReadFile(start.dir / "1.bmp"), EncodeBmp24(ReadJpegFile(start.dir / "PHOTO.JPG")));
  // The drawing layer covers the screen, all of it free of drawing.
  EXPECT_EQ(RowsOf(start.layers.i5), Rows(4, "kkkkkk"));
  EXPECT_EQ(test::ReadFile(start.dir / "2.bmp"), EncodeBmp24(start.layers.i5));
  EXPECT_EQ(SizeOf(start.layers.i4), (Size{16, 8}));
}

TEST(WallpaperCompose, FirstStartKeepsAPngWallpaperItsSeeThroughPartInTheDesktopColour) {
  FirstStart start;
  test::WriteFile(start.dir / "sky.png", test::PngFileOf(PictureOf({"rgb", "yk#"}), true));
  start.Run(start.dir / "sky.png");
  EXPECT_TRUE(start.currentWallpapers.empty());
  EXPECT_FALSE(test::Exists(start.dir / "1.jpg"));
  // Half of the red pixel lies over the desktop's teal.
  EXPECT_EQ(start.layers.i4.At(0, 0), RgbPixel(128, 64, 64));
  EXPECT_EQ(RowsOf(start.layers.i4)[1], "yk#");
  // A later start decodes the PNG the same way.
  Layers later;
  PrepareLayers(later, start.dir / "sky.png", false, start.dir.Path() + "/", {6, 4, 0x00808000}, {});
  EXPECT_EQ(later.i2.At(0, 0), RgbPixel(128, 64, 64));
}

TEST(WallpaperCompose, FirstStartKeepsABitmapWallpaperAsJpeg) {
  FirstStart start;
  test::WriteFile(start.dir / "Wallpaper", EncodeBmp24(PictureOf({"rgb", "yk#"})));
  start.Run(start.dir / "Wallpaper");
  EXPECT_EQ(start.currentWallpapers, (std::vector<std::string>{start.dir / "1.jpg"}));
  EXPECT_EQ(SizeOf(ReadJpegFile(start.dir / "1.jpg")), (Size{3, 2}));
  EXPECT_EQ(RowsOf(start.layers.i4), (Rows{"rgb", "yk#"}));
  EXPECT_EQ(RowsOf(start.layers.i5), Rows(4, "kkkkkk"));
}

TEST(WallpaperCompose, FirstStartWithoutAUsablePictureUsesTheDesktopColour) {
  for (const std::string name : {"", "missing.jpg", "wallpaper.gif", "empty.bmp"}) {
    FirstStart start;
    test::WriteFile(start.dir / "wallpaper.gif", "GIF89a" + std::string(40, '\0'));
    test::WriteFile(start.dir / "empty.bmp", EncodeBmp24(Bitmap()));
    start.Run(name.empty() ? "" : start.dir / name);
    start.ExpectTheDesktopColour(name);
    EXPECT_TRUE(start.errors.empty()) << name;
  }
}

TEST(WallpaperCompose, FirstStartReportsAnUnreadableWallpaperOnceAndGoesOn) {
  const std::string bmp = EncodeBmp24(PictureOf({"rgb", "yk#"}));
  std::string unknown = bmp;
  unknown[30] = 5;  // a PNG inside
  std::string huge = bmp;
  huge.replace(18, 8, std::string("\x60\xEA\0\0\x60\xEA\0\0", 8));  // 60000 x 60000
  huge[28] = 8;
  huge[30] = 1;  // run-length encoded: the size alone is too much
  const struct {
    std::string bytes, message;
  } cases[] = {
      {bmp.substr(0, 60), "Stream read error"},
      {unknown, "Bitmap image is not valid"},
      {huge, "The picture is too large: 60000 x 60000 pixels"},
      {"\xFF\xD8\xFF\xE0 not really", "JPEG error #"},
  };
  for (const auto& c : cases) {
    FirstStart start;
    test::WriteFile(start.dir / "wallpaper.jpg", c.bytes);
    start.Run(start.dir / "wallpaper.jpg");
    ASSERT_EQ(start.errors.size(), 1u) << c.message;
    EXPECT_EQ(start.errors[0].substr(0, c.message.size()), c.message);
    start.ExpectTheDesktopColour(c.message);
  }
}

TEST(WallpaperCompose, LaterStartsLoadTheWorkFilesAndDecodeTheWallpaper) {
  test::ScratchDir dir;
  WriteBmpFile(PictureOf({"rw"}), dir / "1.bmp");
  WriteJpegFile(Bitmap(5, 3, kBlackPixel), dir / "1.jpg");
  Layers layers;
  const std::string work = dir.Path() + "/";
  EXPECT_EQ(MessageOf([&] { PrepareLayers(layers, dir / "1.jpg", false, work, {}, {}); }),
            "Cannot open file \"" + work + "2.bmp\". No such file or directory");
  WriteBmpFile(PictureOf({"kb"}), dir / "2.bmp");
  PrepareLayers(layers, dir / "1.jpg", false, work, {}, {});
  EXPECT_EQ(RowsOf(layers.i4), (Rows{"rw"}));
  EXPECT_EQ(RowsOf(layers.i5), (Rows{"kb"}));
  EXPECT_EQ(SizeOf(layers.i2), (Size{5, 3}));
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(WallpaperCompose, AnOutsideWallpaperIsTakenByContentAndTheProgramsOwnIsLeftAlone) {
  test::ScratchDir dir;
  const std::string work = dir.Path() + "/";
  WriteJpegFile(Bitmap(3, 2, test::kRed), dir / "photo.bmp");  // a JPEG by content
  test::WriteFile(dir / "drawn.jpg", EncodeBmp24(PictureOf({"rgb", "yk#"})));
  test::WriteFile(dir / "picture.dat", test::PngFileOf(PictureOf({"rg"})));
  test::WriteFile(dir / "moving.gif", "GIF89a" + std::string(40, '\0'));
  test::WriteFile(dir / "1.bmp", EncodeBmp24(PictureOf({"r"})));

  EXPECT_EQ(ClassifyOutsideWallpaper("", work), OutsideWallpaper::kNone);
  EXPECT_EQ(ClassifyOutsideWallpaper(dir / "1.bmp", work), OutsideWallpaper::kOwn);
  std::string shouted = dir / "1.BMP";
  EXPECT_EQ(ClassifyOutsideWallpaper(shouted, work), OutsideWallpaper::kOwn);
  EXPECT_EQ(ClassifyOutsideWallpaper(dir / "photo.bmp", work), OutsideWallpaper::kPicture);
  EXPECT_EQ(ClassifyOutsideWallpaper(dir / "drawn.jpg", work), OutsideWallpaper::kBmp);
  EXPECT_EQ(ClassifyOutsideWallpaper(dir / "picture.dat", work), OutsideWallpaper::kPicture);
  EXPECT_EQ(ClassifyOutsideWallpaper(dir / "moving.gif", work), OutsideWallpaper::kOther);
  EXPECT_EQ(ClassifyOutsideWallpaper(dir / "missing.jpg", work), OutsideWallpaper::kOther);

  // A JPEG or PNG is taken where it is; a BMP becomes "1.jpg" of the work directory.
  EXPECT_EQ(OutsideWallpaperJpeg(dir / "photo.bmp", OutsideWallpaper::kPicture, work), dir / "photo.bmp");
  EXPECT_EQ(OutsideWallpaperJpeg(dir / "picture.dat", OutsideWallpaper::kPicture, work), dir / "picture.dat");
  EXPECT_EQ(OutsideWallpaperJpeg(dir / "drawn.jpg", OutsideWallpaper::kBmp, work), work + "1.jpg");
  EXPECT_EQ(SizeOf(ReadJpegFile(work + "1.jpg")), (Size{3, 2}));
}

}  // namespace
}  // namespace velmora
