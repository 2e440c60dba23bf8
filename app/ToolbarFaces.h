#pragma once
// The toolbar's part of the hover-button scheme: its hidden images are the
// pictures of every face, and its tool faces have their own pictures and
// hover timer `tact2`.

namespace velmora {

class Image;
class TForm1;

void ToolHover(Image& face);  // unselected tools only: `ib2a`, the toolbar's `tact2`
void ToolDown(Image& face);   // `ib2p`

// Makes the toolbar the source of the face pictures and wires the mouse of
// its command and tool faces (their labels and icons act as the faces), and
// `tact` and `tact2`.
void WireHoverScheme(TForm1& toolbar);

}  // namespace velmora
