#pragma once
// The drawing surface window (TForm2): a borderless window that covers the
// desktop's work area while a drawing session is open, showing the visible
// canvas. It owns the eight layer images.
#include "picture/Layers.h"
#include "ui/Form.h"

namespace velmora {

class TForm2 : public Form {
 public:
  TForm2();

  // The layer images; `i1` is what the window shows. A change of `i1` is
  // followed by Invalidate of the changed part.
  Layers& LayerImages() { return layers_; }
  const Layers& LayerImages() const { return layers_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  // The canvas's pixels in `area` (client pixels), the window's colour beyond it.
  void PaintCanvas(HDC dc, const Rect& area) const;

  Layers layers_;
};

// The program's drawing surface, created hidden at the first call.
TForm2& Form2();

}  // namespace velmora
