#pragma once
// Where the layers lie on a desktop of one or more monitors. The layers hold
// one picture for all monitors: their (0, 0) is a fixed screen point, the
// frame's origin, never right of or below the primary monitor's top-left, so
// a drawing keeps its place relative to the primary monitor when monitors
// come and go, and monitors left of or above it (negative screen
// coordinates) fit too.
#include <string>
#include <utility>
#include <vector>

#include "imaging/Bitmap.h"
#include "imaging/Raster.h"

namespace velmora {

struct Layers;

// The monitors as the system reports them, in screen coordinates (the
// primary monitor's top-left is (0, 0)).
struct Monitor {
  PixelRect bounds;
  PixelRect work;  // without the taskbar and other docked bars
  friend bool operator==(const Monitor&, const Monitor&) = default;
};

struct DesktopFrame {
  // The screen point of the layers' (0, 0).
  int originX = 0;
  int originY = 0;
  // The monitors in layer coordinates.
  std::vector<Monitor> monitors;

  // The monitors' bounding rectangle in layer coordinates: the picture a
  // spanned wallpaper is given, and the part of the layers the screen shows.
  PixelRect Shown() const;
  // The drawing surface's client size: from the layers' (0, 0) to the shown
  // part's bottom-right.
  int CanvasWidth() const { return Shown().right; }
  int CanvasHeight() const { return Shown().bottom; }
  // A desktop that is not one monitor at the layers' origin places the
  // wallpaper on each monitor and gives the system the shown part alone.
  bool Placed() const;
  // Several monitors share one picture, spanned over them.
  bool Spanned() const { return monitors.size() > 1; }

  friend bool operator==(const DesktopFrame&, const DesktopFrame&) = default;
};

// The frame for the monitors now, given the origin the drawing had so far
// (kept in the settings): the origin moves left or up to take in a monitor
// beyond it, and never back, so what no monitor shows stays in the drawing.
DesktopFrame FrameFor(const std::vector<Monitor>& screen, int keptOriginX, int keptOriginY);

// The settings' text of a monitor layout, "" for one monitor: a wallpaper
// composed for another layout is composed again.
std::string LayoutText(const DesktopFrame& frame);

// The frame the work files were written for, from the drawing's kept origin
// and the layout text kept with it: the layout's monitors, or for "" (one
// monitor) the primary of `screen` alone (the monitor at the screen's (0, 0)).
// A layout that cannot be read counts as "".
DesktopFrame WrittenFrame(const std::string& layout, int keptOriginX, int keptOriginY,
                          const std::vector<Monitor>& screen);

// Moves the layers' (0, 0) from one frame's origin to another's, further
// left or up: the drawing layer is extended on the left and top with the key
// colour, the composed and background layers with white, so every pixel keeps
// its screen place. Nothing is done when the origins agree.
void MoveLayerOrigin(Layers& layers, int fromX, int fromY, int toX, int toY);

// How the wallpaper's picture is put on each monitor, as the settings keep
// it ("0" to "4").
enum class PicturePosition {
  kTile,     // unscaled at the monitor's top-left, white where it does not reach
  kFill,     // scaled to cover the monitor, the overflow cut evenly on both sides
  kFit,      // scaled to show whole, centred, bars in the backdrop colour
  kStretch,  // scaled to the monitor's size, the aspect ratio not kept
  kCenter,   // unscaled and centred, the rest in the backdrop colour
};
PicturePosition PicturePositionFromText(const std::string& text);  // anything unknown: kTile
std::string PicturePositionText(PicturePosition position);

// Where a picture of `pictureWidth` × `pictureHeight` goes on a monitor of
// `width` × `height`: the rectangle the picture, scaled to its size, covers,
// relative to the monitor's top-left; it may reach beyond the monitor (cut
// there) or leave part of it to the backdrop.
PixelRect PlacePicture(int pictureWidth, int pictureHeight, int width, int height, PicturePosition position);

// The size a scaled decoding may reduce the picture to without losing what a
// position needs: the largest monitor for the scaling positions, 0 x 0 (the
// whole picture) for the unscaled ones.
std::pair<int, int> DecodeSizeFor(const DesktopFrame& frame, PicturePosition position);

// The background of a placed frame: the monitors' bounding rectangle in
// white, with the picture placed on each monitor by `position`, the parts of
// a monitor the picture leaves in `backdrop` (Fit and Center). The result is
// CanvasWidth() x CanvasHeight().
Bitmap PlaceOnMonitors(const Bitmap& picture, const DesktopFrame& frame,
                       PicturePosition position = PicturePosition::kTile, Pixel backdrop = kWhitePixel);

}  // namespace velmora
