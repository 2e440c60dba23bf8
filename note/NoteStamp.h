#pragma once
// A typed note stamped onto the picture: it becomes part of the drawing, so it
// is saved with the composed picture and survives a change of wallpaper.
#include "imaging/Layers.h"
#include "imaging/Raster.h"

namespace velmora {

// Copies the rendered note, opaque, with its top-left pixel at (x, y) of the
// layers, into the visible canvas, the composed layer and the drawing layer;
// whatever falls outside a layer is dropped there. The screen layer and the
// session snapshots keep no notes. Returns the part of the visible canvas
// changed.
PixelRect StampNote(Layers& layers, const Bitmap& note, int x, int y);

}  // namespace velmora
