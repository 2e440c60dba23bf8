#include "imaging/DesktopFrame.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "imaging/Layers.h"
#include "imaging/Scale.h"

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

DesktopFrame WrittenFrame(const std::string& layout, int keptOriginX, int keptOriginY,
                          const std::vector<Monitor>& screen) {
  std::vector<Monitor> monitors;
  for (std::size_t at = 0; at < layout.size();) {
    std::size_t end = layout.find(';', at);
    if (end == std::string::npos) end = layout.size();
    int left, top, width, height;
    char rest;
    const std::string part = layout.substr(at, end - at);
    if (std::sscanf(part.c_str(), "%d,%d,%d,%d%c", &left, &top, &width, &height, &rest) != 4 || width <= 0 ||
        height <= 0) {
      monitors.clear();
      break;
    }
    const PixelRect bounds{left, top, left + width, top + height};
    monitors.push_back({bounds, bounds});
    at = end + 1;
  }
  if (monitors.size() < 2) {
    monitors.clear();
    for (const Monitor& m : screen)
      if (m.bounds.left <= 0 && m.bounds.top <= 0 && m.bounds.right > 0 && m.bounds.bottom > 0)
        monitors = {m};
  }
  return FrameFor(monitors, keptOriginX, keptOriginY);
}

void MoveLayerOrigin(Layers& layers, int fromX, int fromY, int toX, int toY) {
  const int dx = fromX - toX, dy = fromY - toY;
  if (dx <= 0 && dy <= 0) return;
  const int x = std::max(dx, 0), y = std::max(dy, 0);
  ExtendTopLeft(layers.i5, x, y, kKeyPixel);
  ExtendTopLeft(layers.i4, x, y, kWhitePixel);
  ExtendTopLeft(layers.i2, x, y, kWhitePixel);
}

PicturePosition PicturePositionFromText(const std::string& text) {
  if (text.size() == 1 && text[0] >= '1' && text[0] <= '4') return static_cast<PicturePosition>(text[0] - '0');
  return PicturePosition::kTile;
}

std::string PicturePositionText(PicturePosition position) {
  return std::string(1, static_cast<char>('0' + static_cast<int>(position)));
}

PixelRect PlacePicture(int pictureWidth, int pictureHeight, int width, int height, PicturePosition position) {
  if (pictureWidth <= 0 || pictureHeight <= 0 || width <= 0 || height <= 0) return {};
  const auto centred = [&](std::int64_t w, std::int64_t h) {
    const int left = static_cast<int>((width - w) / 2), top = static_cast<int>((height - h) / 2);
    return PixelRect{left, top, left + static_cast<int>(w), top + static_cast<int>(h)};
  };
  const std::int64_t pw = pictureWidth, ph = pictureHeight;
  switch (position) {
    case PicturePosition::kTile:
      return {0, 0, pictureWidth, pictureHeight};
    case PicturePosition::kStretch:
      return {0, 0, width, height};
    case PicturePosition::kCenter:
      return centred(pw, ph);
    case PicturePosition::kFill:
    case PicturePosition::kFit: {
      // Which side decides: the picture is wider than the monitor in
      // proportion when pw / ph > width / height. Fill matches the other side.
      const bool wider = pw * height > ph * width;
      if (wider == (position == PicturePosition::kFill)) {
        return centred(std::max<std::int64_t>(1, (pw * height + ph / 2) / ph), height);
      }
      return centred(width, std::max<std::int64_t>(1, (ph * width + pw / 2) / pw));
    }
  }
  return {};
}

std::pair<int, int> DecodeSizeFor(const DesktopFrame& frame, PicturePosition position) {
  if (position == PicturePosition::kTile || position == PicturePosition::kCenter) return {0, 0};
  int width = 0, height = 0;
  for (const Monitor& m : frame.monitors) {
    width = std::max(width, m.bounds.Width());
    height = std::max(height, m.bounds.Height());
  }
  return {width, height};
}

Bitmap PlaceOnMonitors(const Bitmap& picture, const DesktopFrame& frame, PicturePosition position, Pixel backdrop) {
  Bitmap background(frame.CanvasWidth(), frame.CanvasHeight(), kWhitePixel);
  // Monitors of one size share one scaled picture.
  Bitmap scaled;
  PixelRect scaledFor;
  for (const Monitor& m : frame.monitors) {
    const PixelRect place = PlacePicture(picture.Width(), picture.Height(), m.bounds.Width(), m.bounds.Height(),
                                         position);
    if (position == PicturePosition::kFit || position == PicturePosition::kCenter) FillRect(background, m.bounds, backdrop);
    if (place.Empty()) continue;
    const Bitmap* shown = &picture;
    if (place.Width() != picture.Width() || place.Height() != picture.Height()) {
      if (scaledFor.Width() != place.Width() || scaledFor.Height() != place.Height()) {
        scaled = ScaleSmooth(picture, place.Width(), place.Height());
        scaledFor = place;
      }
      shown = &scaled;
    }
    // The part of the placed picture on the monitor.
    const PixelRect visible = Intersect(place, {0, 0, m.bounds.Width(), m.bounds.Height()});
    const PixelRect source{visible.left - place.left, visible.top - place.top, visible.right - place.left,
                           visible.bottom - place.top};
    CopyRect(background, m.bounds.left + visible.left, m.bounds.top + visible.top, *shown, source);
  }
  return background;
}

}  // namespace velmora
