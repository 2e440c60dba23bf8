#pragma once
// The picture side of a wallpaper change and of the layer preparation at
// start-up.
#include <cstdint>
#include <functional>
#include <string>

#include "base/Errors.h"
#include "imaging/DesktopFrame.h"
#include "imaging/Layers.h"

namespace velmora {

// Sizes a new background without scaling: grown to the visible canvas when
// smaller in either direction; before the drawing surface was first shown
// (canvas width 254) cut or extended to the composed layer's size; otherwise
// kept as it is.
void SizeBackground(const Layers& layers, Bitmap& background);

// Makes a decoded picture the background layer, sized, and rebuilds the
// composed layer from it and the drawing layer. When memory runs out the
// layers stay as they were.
void SetBackground(Layers& layers, Bitmap background);

// The wallpaper change up to the wallpaper's application: decode the JPEG,
// PNG or WebP file (a see-through part over the backdrop), size it, compose, save the composed layer as "1.bmp" in the work
// directory. A file or JPEG error leaves the layers unchanged; a failed write
// leaves them holding the new picture, and the previous "1.bmp" whole. On a
// placed desktop frame, or with a position other than kTile, the picture is
// placed on each monitor (decoded no larger than that needs) and "1.bmp" is
// the part the monitors show.
struct WallpaperPlacement {
  PicturePosition position = PicturePosition::kTile;
  Pixel backdrop = kWhitePixel;  // the desktop's colour, around a fitted or centred picture
};
void ChangeWallpaperPicture(Layers& layers, const std::string& jpegPath, const std::string& workDirectory,
                            const DesktopFrame& frame = {}, const WallpaperPlacement& placement = {});

// A desktop wallpaper that something other than the program has set, as the
// desktop's settings name it afterwards.
enum class OutsideWallpaper {
  kOwn,    // the program's own "1.bmp": its own change, nothing to do
  kNone,   // no wallpaper
  kPicture,  // a JPEG, PNG or WebP by content, whatever its name
  kBmp,
  kOther,  // another kind of file, or one that cannot be read
};
OutsideWallpaper ClassifyOutsideWallpaper(const std::string& path, const std::string& workDirectory);

// The picture a wallpaper change takes for an outside one: a JPEG, PNG or
// WebP itself, or the BMP kept as the work directory's "1.jpg", as the first start
// does, since every later start decodes the current wallpaper as a JPEG.
// Raises the BMP's reading error or the JPEG's writing error.
std::string OutsideWallpaperJpeg(const std::string& path, OutsideWallpaper kind, const std::string& workDirectory);

// What the first start needs of the screen.
struct ScreenFacts {
  int width = 0;
  int height = 0;
  std::uint32_t desktopColor = 0;  // the system colour of the desktop, 0x00BBGGRR
};

// What the first start tells the windows.
struct FirstStartCalls {
  // Makes "1.jpg" the current wallpaper.
  std::function<void(const std::string& path)> setCurrentWallpaper;
  // Shows the error of a wallpaper that failed to read, once.
  std::function<void(const Error& error)> reportError;
};

// Where a later start's work files were written from: the monitors "1.bmp"
// was composed for, in the layers' coordinates (WrittenFrame), and the
// picture's position then. "1.bmp" is read back at the monitors' part, and the
// background is the picture placed as the wallpaper change places it.
struct WrittenFor {
  DesktopFrame frame;
  PicturePosition position = PicturePosition::kTile;
};

// Layer preparation at start-up. On the first start `wallpaper` is the
// desktop's wallpaper: a JPEG (by content) is decoded; a BMP (by content) is
// loaded and saved as "1.jpg"; anything else (no path, no file, another kind
// of picture, an empty one) gives a screen-sized picture in the desktop
// colour, also saved as "1.jpg". A wallpaper that fails to read (a corrupt,
// cut or unknown BMP or JPEG, one too large for memory) is reported through
// `calls.reportError` and then also gives the desktop colour, so a first
// start always writes its work files. "1.jpg" becomes the current wallpaper
// through `calls.setCurrentWallpaper`. The picture is saved as "1.bmp", and
// "2.bmp" gets a screen-sized drawing layer all in the key colour. Every start
// then loads the composed layer from "1.bmp" and the drawing layer from
// "2.bmp"; a later start decodes `wallpaper` (the current wallpaper) into the
// background layer, placed for `written`, and its errors end the preparation,
// as do a work file that cannot be opened and a screen whose pictures cannot
// be held (ScreenTooLargeError, before any file is written).
// A work file that is damaged (cut, not a bitmap, no pixels) is reported
// naming it and renamed aside ("2.bmp.damaged", or with a number when that
// name is taken), never to be written over; its layer is rebuilt from what
// remains: the drawing empty, the composed layer from the background and the
// drawing. The rebuilt file is written at once. Returns whether "1.bmp" was
// rebuilt, so the wallpaper is to be applied anew.
bool PrepareLayers(Layers& layers, const std::string& wallpaper, bool firstStart,
                   const std::string& workDirectory, const ScreenFacts& screen, const FirstStartCalls& calls,
                   const WrittenFor& written = {});

}  // namespace velmora
