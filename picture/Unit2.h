#pragma once
// The drawing surface window (TForm2): a borderless window that covers the
// desktop's work area while a drawing session is open, showing the visible
// canvas. It owns the eight layer images.
#include <functional>

#include <string>

#include "imaging/DesktopFrame.h"
#include "imaging/Layers.h"
#include "imaging/SessionCommands.h"
#include "imaging/UndoHistory.h"
#include "ui/Color.h"
#include "ui/Form.h"

namespace velmora {

class TForm2 : public Form {
 public:
  TForm2();

  // The layer images; `i1` is what the window shows. A change of `i1` is
  // followed by Invalidate of the changed part.
  Layers& LayerImages() { return layers_; }
  const Layers& LayerImages() const { return layers_; }

  // What a stroke needs from the toolbar: its tool, size, colour and "Show
  // windows", and what happens to the toolbar when a stroke begins and ends.
  struct StrokeHooks {
    std::function<Tool()> tool;
    std::function<int()> brushSize;
    std::function<Color()> brushColor;
    std::function<bool()> showWindows;
    Handler begin;
    Handler end;
  };
  void SetStrokeHooks(StrokeHooks hooks) { hooks_ = std::move(hooks); }

  // Strokes on the visible canvas, in layer coordinates. Shift held at the
  // press makes a brush stroke a straight line; held while dragging, it makes
  // a rectangle a square and an ellipse a circle.
  void i1MouseDown(int x, int y, bool shift = false);
  void i1MouseMove(int x, int y, bool shift = false);
  void i1MouseUp();
  bool Stroking() const { return stroke_.Active(); }

  // Ctrl+Z and Ctrl+Y: the last step of the session taken back or redone.
  // Commands that change whole layers (opening, "Cancel last", "Cancel all",
  // a wallpaper change) clear the history; notes and pieces record theirs.
  UndoHistory& History() { return history_; }
  void Undo();
  void Redo();

  // Repaints the part of the visible canvas that a command changed.
  void InvalidateCanvas(const PixelRect& changed);

  // Where the layers lie on the monitors. A placed frame makes each showing
  // cover every monitor's work area, the window's client (0, 0) at the
  // layers' (0, 0); otherwise the showing covers the work area as it is then.
  const DesktopFrame& Frame() const { return frame_; }
  // Where the next showing lies on the screen; its size is the canvas's.
  Rect CoveredArea() const;
  void SetFrame(DesktopFrame frame) { frame_ = std::move(frame); }
  // The monitor layout the wallpaper was last composed for, as the settings
  // keep it.
  const std::string& ComposedFor() const { return composedFor_; }
  void SetComposedFor(std::string layout) { composedFor_ = std::move(layout); }
  // The monitors changed while a session was open: its "Done" follows them.
  bool DesktopChangePending() const { return desktopChangePending_; }
  void SetDesktopChangePending(bool pending) { desktopChangePending_ = pending; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  // The canvas's pixels in `area` (client pixels), the window's colour beyond it.
  void PaintCanvas(HDC dc, const Rect& area) const;
  void CoverWorkAreas();
  // Repaints what the stroke's last move or release changed.
  void InvalidateStroke(const PixelRect& changed);

  Layers layers_;
  Stroke stroke_;
  UndoHistory history_;
  StrokeHooks hooks_;
  DesktopFrame frame_;
  std::string composedFor_;
  bool desktopChangePending_ = false;
  bool covering_ = false;  // a region limits the window to the work areas
};

// The program's drawing surface, created hidden at the first call.
TForm2& Form2();

}  // namespace velmora
