#include "imaging/WallpaperCompose.h"

#include <algorithm>
#include <utility>

#include "base/MemoryLimit.h"

#include "imaging/BmpFile.h"
#include "imaging/JpegFile.h"
#include "imaging/PictureFile.h"
#include "imaging/PictureIo.h"

namespace velmora {
namespace {

// The first start's picture: the wallpaper (by its content, whatever its
// name) when the program reads it, else one in the desktop's colour; a
// wallpaper that fails to read has its error reported first, and the first
// start goes on. A picture that is not the wallpaper's own JPEG, PNG or WebP
// is kept as "1.jpg", so that later starts and changes always decode one of
// those.
Bitmap FirstStartPicture(const std::string& wallpaper, const std::string& workDirectory,
                         const ScreenFacts& screen, const FirstStartCalls& calls) {
  Bitmap picture;
  const PictureKind kind = SniffPictureFile(wallpaper);
  try {
    if (IsWallpaperKind(kind)) picture = ReadPicture(wallpaper, {.matte = PixelOf(screen.desktopColor)});
    if (kind == PictureKind::kBmp) picture = ReadBmpFile(wallpaper);
  } catch (const Error& error) {
    calls.reportError(error);
  }
  if (IsWallpaperKind(kind) && !picture.Empty()) return picture;
  if (picture.Empty()) picture = Bitmap(screen.width, screen.height, PixelOf(screen.desktopColor));
  const std::string jpegPath = workDirectory + "1.jpg";
  WriteJpegFile(picture, jpegPath);
  calls.setCurrentWallpaper(jpegPath);
  return picture;
}

}  // namespace

OutsideWallpaper ClassifyOutsideWallpaper(const std::string& path, const std::string& workDirectory) {
  if (path.empty()) return OutsideWallpaper::kNone;
  // Windows names files without regard to letter case.
  const std::string own = workDirectory + "1.bmp";
  auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
  if (path.size() == own.size() && std::equal(path.begin(), path.end(), own.begin(), [&](char a, char b) {
        return lower(static_cast<unsigned char>(a)) == lower(static_cast<unsigned char>(b));
      }))
    return OutsideWallpaper::kOwn;
  const PictureKind kind = SniffPictureFile(path);
  if (IsWallpaperKind(kind)) return OutsideWallpaper::kPicture;
  return kind == PictureKind::kBmp ? OutsideWallpaper::kBmp : OutsideWallpaper::kOther;
}

std::string OutsideWallpaperJpeg(const std::string& path, OutsideWallpaper kind, const std::string& workDirectory) {
  if (kind != OutsideWallpaper::kBmp) return path;
  const std::string jpegPath = workDirectory + "1.jpg";
  WriteJpegFile(ReadBmpFile(path), jpegPath);
  return jpegPath;
}

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

void ChangeWallpaperPicture(Layers& layers, const std::string& jpegPath, const std::string& workDirectory,
                            const DesktopFrame& frame, const WallpaperPlacement& placement) {
  if (frame.Placed() || (placement.position != PicturePosition::kTile && !frame.monitors.empty())) {
    const auto [width, height] = DecodeSizeFor(frame, placement.position);
    Bitmap background =
        PlaceOnMonitors(ReadPicture(jpegPath, {.minWidth = width, .minHeight = height, .matte = placement.backdrop}),
                        frame, placement.position, placement.backdrop);
    // The system is given the monitors' part alone, which need not start at
    // the layers' (0, 0), so the composition is done whole before the write.
    Compose(layers.i4, background, layers.i5);
    layers.i2 = std::move(background);
    PictureFileWriter composed(workDirectory + "1.bmp");
    WriteBmp24(layers.i4, frame.Shown(), composed);
    composed.Commit();
    return;
  }
  Bitmap background = ReadPicture(jpegPath, {.matte = placement.backdrop});
  SizeBackground(layers, background);
  const int height = background.Height();
  layers.i4.Reallocate(background.Width(), height);
  // Each row is composed just before it is written, while it is in the cache;
  // the file takes the rows bottom first.
  int composedFrom = height;
  try {
    WriteBmpFileRows(
        background.Width(), height,
        [&](int y) {
          ComposeRows(layers.i4, background, layers.i5, y, y + 1);
          composedFrom = y;
          return layers.i4.Row(y);
        },
        workDirectory + "1.bmp");
  } catch (...) {
    // A failed write still leaves the layers holding the new picture.
    ComposeRows(layers.i4, background, layers.i5, 0, composedFrom);
    layers.i2 = std::move(background);
    throw;
  }
  layers.i2 = std::move(background);
}

void PrepareLayers(Layers& layers, const std::string& wallpaper, bool firstStart,
                   const std::string& workDirectory, const ScreenFacts& screen,
                   const FirstStartCalls& calls) {
  CheckScreenFits(layers, screen.width, screen.height, FreeScreenBands(screen.width, screen.height));
  if (firstStart) {
    WriteBmpFile(FirstStartPicture(wallpaper, workDirectory, screen, calls), workDirectory + "1.bmp");
    // The whole drawing layer is free of drawing and covers the screen,
    // whatever the wallpaper's size.
    Bitmap drawing(screen.width, screen.height, kKeyPixel);
    WriteBmpFile(drawing, workDirectory + "2.bmp");
    // Lasts only until the wallpaper change that follows a first start.
    layers.i2 = std::move(drawing);
  }
  layers.i4 = ReadBmpFile(workDirectory + "1.bmp");
  layers.i5 = ReadDrawingFile(workDirectory + "2.bmp");
  if (!firstStart) layers.i2 = ReadPicture(wallpaper, {.matte = PixelOf(screen.desktopColor)});
}

}  // namespace velmora
