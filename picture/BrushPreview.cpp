#include "picture/BrushPreview.h"

#include "base/DpiScale.h"
#include "ui/ShapeGeometry.h"

namespace velmora {

Point BrushPreviewPosition(Point toolbarTopLeft, const Rect& trackBar, int dpi) {
  // 65 layout pixels lift the window so that the disc's centre lies about level with the track bar.
  return {toolbarTopLeft.x + trackBar.left + trackBar.width,
          toolbarTopLeft.y + trackBar.top + trackBar.height - ToDpi(65, dpi)};
}

Rect BrushDiscBounds(int size) {
  return FigureOf(ShapeKind::kCircle, size, kBrushDiscAreaHeight).bounds;
}

BrushPreviewChange ChangeBrushPreview(bool timerRunning, bool startupRunning) {
  if (timerRunning) return {};
  return {true, !startupRunning};
}

BrushPreviewTick TickBrushPreview(std::uint8_t remembered, int discWidth) {
  if (remembered == discWidth) return {true, remembered};
  // The remembered size is a byte, as the brush sizes (1 to 100) are.
  return {false, static_cast<std::uint8_t>(discWidth)};
}

}  // namespace velmora
