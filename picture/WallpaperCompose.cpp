#include "picture/WallpaperCompose.h"

#include <utility>

#include "picture/BmpFile.h"
#include "picture/JpegFile.h"
#include "picture/PictureIo.h"

namespace velmora {
namespace {

// The first start's picture: the wallpaper when it is a picture the program
// reads, else one in the desktop's colour. A picture that is not a JPEG is
// kept as "1.jpg" so that later starts and changes always decode a JPEG.
Bitmap FirstStartPicture(const std::string& wallpaper, const std::string& workDirectory,
                         const ScreenFacts& screen,
                         const std::function<void(const std::string&)>& setCurrentWallpaper) {
  const PictureKind kind = SniffPictureFile(wallpaper);
  if (kind == PictureKind::kJpeg) return ReadJpegFile(wallpaper);
  Bitmap picture = kind == PictureKind::kBmp
                       ? ReadBmpFile(wallpaper)
                       : Bitmap(screen.width, screen.height, PixelOf(screen.desktopColor));
  const std::string jpegPath = workDirectory + "1.jpg";
  WriteJpegFile(picture, jpegPath);
  setCurrentWallpaper(jpegPath);
  return picture;
}

}  // namespace

void SizeBackground(const Layers& layers, Bitmap& background) {
  if (background.Width() < layers.canvasWidth || background.Height() < layers.canvasHeight) {
    background.Resize(layers.canvasWidth, layers.canvasHeight);
  } else if (layers.canvasWidth == kDesignCanvasWidth) {
    background.Resize(layers.i4.Width(), layers.i4.Height());
  }
}

void SetBackground(Layers& layers, Bitmap background) {
  SizeBackground(layers, background);
  Compose(layers.i4, background, layers.i5);
  layers.i2 = std::move(background);
}

void ChangeWallpaperPicture(Layers& layers, const std::string& jpegPath, const std::string& workDirectory) {
  SetBackground(layers, ReadJpegFile(jpegPath));
  WriteBmpFile(layers.i4, workDirectory + "1.bmp");
}

void PrepareLayers(Layers& layers, const std::string& wallpaper, bool firstStart,
                   const std::string& workDirectory, const ScreenFacts& screen,
                   const std::function<void(const std::string&)>& setCurrentWallpaper) {
  if (firstStart) {
    WriteBmpFile(FirstStartPicture(wallpaper, workDirectory, screen, setCurrentWallpaper),
                 workDirectory + "1.bmp");
    // The whole drawing layer is free of drawing and covers the screen,
    // whatever the wallpaper's size.
    Bitmap drawing(screen.width, screen.height, kKeyPixel);
    WriteBmpFile(drawing, workDirectory + "2.bmp");
    // Lasts only until the wallpaper change that follows a first start.
    layers.i2 = std::move(drawing);
  }
  layers.i4 = ReadBmpFile(workDirectory + "1.bmp");
  layers.i5 = ReadBmpFile(workDirectory + "2.bmp");
  if (!firstStart) layers.i2 = ReadJpegFile(wallpaper);
}

}  // namespace velmora
