#include "note/NoteStamp.h"

namespace velmora {

PixelRect StampNote(Layers& layers, const Bitmap& note, int x, int y) {
  const PixelRect whole = BoundsOf(note);
  const PixelRect changed = CopyRect(layers.i1, x, y, note, whole);
  CopyRect(layers.i4, x, y, note, whole);
  CopyIntoDrawing(layers.i5, x, y, note, whole);
  return changed;
}

}  // namespace velmora
