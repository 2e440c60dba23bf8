#include "picture/brushsize.h"

#include "picture/BrushPreview.h"

namespace velmora {

TForm5::TForm5()
    : Form({.className = "TForm5",
            .caption = "BrushSize",
            .border = BorderStyle::kNone,
            .stayOnTop = true,
            .clientSize = {115, 100},
            // The track bar being dragged keeps the focus.
            .activateOnShow = false}) {
  Timer1.OnTimer([this] { Timer1Timer(); });
}

void TForm5::BrushSizeChanged(int size, Point toolbarTopLeft, const Rect& sizBounds, bool startupRunning,
                              const Handler& colChange) {
  const BrushPreviewChange change = ChangeBrushPreview(Timer1.Enabled(), startupRunning);
  if (change.recolourAndPlace) {
    if (colChange) colChange();
    const Point at = BrushPreviewPosition(toolbarTopLeft, sizBounds, Dpi());
    SetBounds({at.x, at.y, Width(), Height()});
  }
  if (change.showAndStartTimer) {
    Show();
    Timer1.SetEnabled(true);
  }
  sc.SetWidth(size);
}

void TForm5::Timer1Timer() {
  const BrushPreviewTick tick = TickBrushPreview(rememberedSize_, sc.Width());
  rememberedSize_ = tick.remembered;
  if (tick.close) {
    Timer1.SetEnabled(false);
    Close();
  }
}

TForm5& Form5() {
  static TForm5 form;
  return form;
}

}  // namespace velmora
