#pragma once
// The toolbar's own motion: dragging it by its background, and the Space key
// that hides and shows it during a drawing session.

namespace velmora {

class TForm1;

// Wires the background shape's mouse down and up, `tm` and `sht`.
void WireToolbarMotion(TForm1& toolbar);

// Set while the Space key has the toolbar hidden; the end of a stroke shows
// the toolbar again only while it is clear.
bool SpaceHidden();
// A new opening shows the toolbar whatever Space did before, so the flag goes
// with it; else every later stroke would hide the toolbar for good.
void ClearSpaceHidden();

// Starts `sht` again after a window that stopped it. The key's "pressed since
// the last query" is read away first: a Space typed into a note is text, not
// a toggle of the toolbar at the first tick.
void ResumeSpacePoll(TForm1& toolbar);

}  // namespace velmora
