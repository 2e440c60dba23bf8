#pragma once
// The brush-size preview window (TForm5): a disc of the brush's size and
// colour that pops up beside the toolbar's size track bar while it moves.
#include <cstdint>

#include "ui/Form.h"
#include "ui/GraphicControls.h"
#include "ui/Timer.h"

namespace velmora {

class TForm5 : public Form {
 public:
  TForm5();

  // Plain box in the button-highlight colour; its outline lies outside the window.
  Shape Shape1{*this, {.bounds = {-8, -8, 145, 137}, .brush = {colors::kBtnHighlight}}};
  // The disc: as wide as the brush size, in the brush colour.
  Shape sc{*this, {.bounds = {0, 0, 100, 100}, .kind = ShapeKind::kCircle, .brush = {colors::kBlack}}};
  Timer Timer1{*this, {.interval = 500, .enabled = false}};

  // The preview's part of the toolbar's sizChange: `colChange` is the
  // toolbar's colour handler, run before the preview is placed.
  void BrushSizeChanged(int size, Point toolbarTopLeft, const Rect& sizBounds, bool startupRunning,
                        const Handler& colChange);
  // The preview's part of the toolbar's colChange; it does not show the preview.
  void SetBrushColor(Color color) { sc.SetBrushColor(color); }

  void Timer1Timer();

  std::uint8_t RememberedSize() const { return rememberedSize_; }

 private:
  std::uint8_t rememberedSize_ = 0;  // kept between showings
};

// The program's preview window, created hidden at the first call.
TForm5& Form5();

}  // namespace velmora
