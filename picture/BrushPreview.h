#pragma once
// The brush-size preview's placement, disc and closing rule, on plain numbers.
#include <cstdint>

#include "base/Geometry.h"

namespace velmora {

// The height of the preview's disc area; the disc is at most this wide.
inline constexpr int kBrushDiscAreaHeight = 100;

// The preview's top-left corner on the screen: right of the size track bar
// and level with it, from the toolbar window's top-left corner and the track
// bar's rectangle in the toolbar, both in the pixels of the toolbar's DPI.
Point BrushPreviewPosition(Point toolbarTopLeft, const Rect& trackBar, int dpi);

// The disc of a brush size in the disc area: as wide as the size (at most the
// area's height), at the left edge, centred vertically.
Rect BrushDiscBounds(int size);

// What a change of the brush size does to the preview: while its timer runs
// only the disc follows; otherwise the preview is recoloured and placed, and
// shown unless start-up is still applying the saved settings.
struct BrushPreviewChange {
  bool recolourAndPlace = false;
  bool showAndStartTimer = false;
};
BrushPreviewChange ChangeBrushPreview(bool timerRunning, bool startupRunning);

// One tick of the preview's timer: the preview closes once the disc width is
// the one remembered at the previous tick; otherwise the width is remembered.
struct BrushPreviewTick {
  bool close = false;
  std::uint8_t remembered = 0;
};
BrushPreviewTick TickBrushPreview(std::uint8_t remembered, int discWidth);

}  // namespace velmora
