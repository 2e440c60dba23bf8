#include "app/ToolbarMotion.h"

#include <windows.h>

#include "app/Unit1.h"
#include "picture/Unit2.h"

namespace velmora {
namespace {

bool spaceHidden = false;

}  // namespace

bool SpaceHidden() {
  return spaceHidden;
}

void ClearSpaceHidden() { spaceHidden = false; }

void TForm1::Shape1MouseDown(const MouseEvent& event) {
  // The shape fills the borderless window, so its pixels are the window's.
  dragOffset_ = {event.x, event.y};
  tm.SetEnabled(true);
}

void TForm1::Shape1MouseUp(const MouseEvent&) {
  // Input goes before timer ticks, so a quick drag can be released before
  // `tm` has ticked at all: one last move leaves the window where it was let go.
  if (tm.Enabled()) tmTimer();
  tm.SetEnabled(false);
}

void TForm1::tmTimer() {
  POINT pointer{};
  GetCursorPos(&pointer);
  SetBounds({pointer.x - dragOffset_.x, pointer.y - dragOffset_.y, Width(), Height()});
}

void TForm1::shtTimer() {
  // Down now, or pressed since the previous poll: a held key toggles at every tick.
  if (GetAsyncKeyState(VK_SPACE) == 0) return;
  if (!Form2().Visible()) return;
  if (Visible()) {
    Hide();
    spaceHidden = true;
  } else {
    Show();
    spaceHidden = false;
  }
}

void ResumeSpacePoll(TForm1& toolbar) {
  GetAsyncKeyState(VK_SPACE);
  toolbar.sht.SetEnabled(true);
}

void WireToolbarMotion(TForm1& toolbar) {
  toolbar.Shape1.OnMouseDown([&toolbar](const MouseEvent& event) { toolbar.Shape1MouseDown(event); });
  toolbar.Shape1.OnMouseUp([&toolbar](const MouseEvent& event) { toolbar.Shape1MouseUp(event); });
  toolbar.tm.OnTimer([&toolbar] { toolbar.tmTimer(); });
  toolbar.sht.OnTimer([&toolbar] { toolbar.shtTimer(); });
}

}  // namespace velmora
