#include "imaging/WallpaperCompose.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>

#include "base/FileSystem.h"
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

// Whether the change places the picture on each monitor, and the picture so
// placed, decoded no larger than that needs.
bool PlacesOnMonitors(const DesktopFrame& frame, const WallpaperPlacement& placement) {
  return frame.Placed() || (placement.position != PicturePosition::kTile && !frame.monitors.empty());
}

Bitmap PlacedPicture(const std::string& path, const DesktopFrame& frame,
                     const WallpaperPlacement& placement) {
  const auto [width, height] = DecodeSizeFor(frame, placement.position);
  return PlaceOnMonitors(
      ReadPicture(path, {.minWidth = width, .minHeight = height, .matte = placement.backdrop}), frame,
      placement.position, placement.backdrop);
}

// Renames a damaged work file to the first free name of "<name>.damaged",
// "<name>.damaged2", ...; returns the bare name it got, "" when it could not
// be renamed.
std::string KeepAside(const std::string& path) {
  for (int n = 1; n <= 999; ++n) {
    const std::string aside = path + ".damaged" + (n == 1 ? "" : std::to_string(n));
    if (RenameFileKeeping(path, aside)) return aside.substr(path.find_last_of("\\/") + 1);
    if (std::FILE* taken = OpenFile(aside, "rb")) {
      std::fclose(taken);
      continue;
    }
    break;  // not a name taken: the file cannot be renamed at all
  }
  return "";
}

// Reads a work file's bytes (an error opening it propagates) and decodes
// them; a file that does not decode to a picture is damaged: it is reported,
// kept aside, and the empty picture returned. A picture too large for memory
// is not damage and propagates too.
Bitmap ReadWorkFile(const std::string& path, const char* what, Bitmap (*decode)(std::string_view),
                    const FirstStartCalls& calls, bool& keptAside) {
  const std::string bytes = ReadPictureFile(path);
  Bitmap picture;
  try {
    picture = decode(bytes);
  } catch (const OutOfMemoryError&) {
    throw;
  } catch (const PictureTooLargeError&) {
    throw;
  } catch (const Error&) {
  }
  if (!picture.Empty()) return picture;
  const std::string aside = KeepAside(path);
  keptAside = !aside.empty();
  calls.reportError(Error(
      keptAside
          ? Format("The %s file \"%s\" is damaged; it was kept as %s.", what, path.c_str(), aside.c_str())
          : Format("The %s file \"%s\" is damaged; it could not be kept aside.", what, path.c_str())));
  return {};
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
  if (PlacesOnMonitors(frame, placement)) {
    Bitmap background = PlacedPicture(jpegPath, frame, placement);
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

bool PrepareLayers(Layers& layers, const std::string& wallpaper, bool firstStart,
                   const std::string& workDirectory, const ScreenFacts& screen, const FirstStartCalls& calls,
                   const WrittenFor& written) {
  CheckScreenFits(layers, screen.width, screen.height, FreeScreenBands(screen.width, screen.height));
  if (firstStart) {
    WriteBmpFile(FirstStartPicture(wallpaper, workDirectory, screen, calls), workDirectory + "1.bmp");
    // The whole drawing layer is free of drawing and covers the screen,
    // whatever the wallpaper's size.
    Bitmap drawing(screen.width, screen.height, kKeyPixel);
    WriteBmpFile(drawing, workDirectory + "2.bmp");
    // Lasts only until the wallpaper change that follows a first start.
    layers.i2 = std::move(drawing);
    layers.i4 = ReadBmpFile(workDirectory + "1.bmp");
    layers.i5 = ReadDrawingFile(workDirectory + "2.bmp");
    return false;
  }
  const std::string composedPath = workDirectory + "1.bmp", drawingPath = workDirectory + "2.bmp";
  bool composedAside = false, drawingAside = false;
  Bitmap composed = ReadWorkFile(composedPath, "wallpaper", DecodeBmp, calls, composedAside);
  layers.i5 = ReadWorkFile(drawingPath, "drawing", DecodeDrawingBmp, calls, drawingAside);
  const WallpaperPlacement placement{.position = written.position, .backdrop = PixelOf(screen.desktopColor)};
  const bool placed = PlacesOnMonitors(written.frame, placement);
  // "1.bmp" holds the monitors' part alone when placed.
  const PixelRect part = placed ? written.frame.Shown() : PixelRect{};
  const bool readAsItIs = !composed.Empty() && part.left == 0 && part.top == 0;
  if (readAsItIs) layers.i4 = std::move(composed);
  layers.i2 = placed ? PlacedPicture(wallpaper, written.frame, placement)
                     : ReadPicture(wallpaper, {.matte = placement.backdrop});
  if (layers.i5.Empty()) {
    layers.i5 = Bitmap(std::max(screen.width, written.frame.CanvasWidth()),
                       std::max(screen.height, written.frame.CanvasHeight()), kKeyPixel);
    if (drawingAside) WriteDrawingFile(layers.i5, drawingPath);
  }
  if (readAsItIs) return false;
  // Where "1.bmp" does not reach, the composed layer is the background with
  // the drawing on it, as it was when the file was written.
  Compose(layers.i4, layers.i2, layers.i5);
  if (!composed.Empty()) {
    const int width = std::max(layers.i4.Width(), part.left + composed.Width());
    const int height = std::max(layers.i4.Height(), part.top + composed.Height());
    if (width != layers.i4.Width() || height != layers.i4.Height()) layers.i4.Resize(width, height);
    CopyRect(layers.i4, part.left, part.top, composed, BoundsOf(composed));
    return false;
  }
  // A damaged file that could not be renamed is not written over.
  if (!composedAside) return false;
  PictureFileWriter file(composedPath);
  if (placed) {
    WriteBmp24(layers.i4, part, file);
  } else {
    WriteBmp24(layers.i4, file);
  }
  file.Commit();
  return true;
}

}  // namespace velmora
