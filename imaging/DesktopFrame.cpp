#include "imaging/DesktopFrame.h"

#include <algorithm>
#include <cstdio>

#include "imaging/Layers.h"

namespace velmora {
namespace {

PixelRect Moved(const PixelRect& r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

// Grows `layer` on the left by dx and at the top by dy, new pixels `fill`.
void ExtendTopLeft(Bitmap& layer, int dx, int dy, Pixel fill) {
  if (layer.Empty() || (dx == 0 && dy == 0)) return;
  Bitmap moved(layer.Width() + dx, layer.Height() + dy, fill);
  CopyRect(moved, dx, dy, layer, BoundsOf(layer));
  layer = std::move(moved);
}

}  // namespace

PixelRect DesktopFrame::Shown() const {
  PixelRect shown;
  for (const Monitor& m : monitors) shown = Union(shown, m.bounds);
  return shown;
}

bool DesktopFrame::Placed() const {
  return monitors.size() > 1 || originX != 0 || originY != 0;
}

DesktopFrame FrameFor(const std::vector<Monitor>& screen, int keptOriginX, int keptOriginY) {
  DesktopFrame frame;
  frame.originX = std::min(keptOriginX, 0);
  frame.originY = std::min(keptOriginY, 0);
  for (const Monitor& m : screen) {
    frame.originX = std::min(frame.originX, m.bounds.left);
    frame.originY = std::min(frame.originY, m.bounds.top);
  }
  for (const Monitor& m : screen)
    frame.monitors.push_back({Moved(m.bounds, -frame.originX, -frame.originY),
                              Moved(m.work, -frame.originX, -frame.originY)});
  return frame;
}

std::string LayoutText(const DesktopFrame& frame) {
  if (frame.monitors.size() < 2) return "";
  std::string text;
  for (const Monitor& m : frame.monitors) {
    char part[64];
    std::snprintf(part, sizeof part, "%s%d,%d,%d,%d", text.empty() ? "" : ";", m.bounds.left + frame.originX,
                  m.bounds.top + frame.originY, m.bounds.Width(), m.bounds.Height());
    text += part;
  }
  return text;
}

void MoveLayerOrigin(Layers& layers, int fromX, int fromY, int toX, int toY) {
  const int dx = fromX - toX, dy = fromY - toY;
  if (dx <= 0 && dy <= 0) return;
  const int x = std::max(dx, 0), y = std::max(dy, 0);
  ExtendTopLeft(layers.i5, x, y, kKeyPixel);
  ExtendTopLeft(layers.i4, x, y, kWhitePixel);
  ExtendTopLeft(layers.i2, x, y, kWhitePixel);
}

Bitmap PlaceOnMonitors(const Bitmap& picture, const DesktopFrame& frame) {
  Bitmap background(frame.CanvasWidth(), frame.CanvasHeight(), kWhitePixel);
  for (const Monitor& m : frame.monitors) {
    const PixelRect source{0, 0, std::min(picture.Width(), m.bounds.Width()),
                           std::min(picture.Height(), m.bounds.Height())};
    CopyRect(background, m.bounds.left, m.bounds.top, picture, source);
  }
  return background;
}

}  // namespace velmora
