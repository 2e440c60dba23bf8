#include "picture/Unit2.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "ui/PictureGdi.h"
#include "ui/Gdi.h"

namespace velmora {
namespace {

Rect WorkArea() {
  RECT r{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return FromRECT(r);
}

}  // namespace

Rect TForm2::CoveredArea() const {
  if (!frame_.Placed()) return WorkArea();
  return {frame_.originX, frame_.originY, frame_.CanvasWidth(), frame_.CanvasHeight()};
}

void TForm2::CoverWorkAreas() {
  // The window spans the monitors' bounding rectangle; its region keeps the
  // taskbars and the gaps between monitors of other sizes uncovered.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (const Monitor& m : frame_.monitors) {
    HRGN part = CreateRectRgn(m.work.left, m.work.top, m.work.right, m.work.bottom);
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
  }
  // The window owns the region from here on.
  if (!SetWindowRgn(Handle(), region, FALSE)) DeleteObject(region);
  covering_ = true;
}

TForm2::TForm2()
    : Form({.className = "TForm2",
            .caption = "Form2",
            .border = BorderStyle::kNone,
            .clientSize = {kDesignCanvasWidth, kDesignCanvasHeight}}) {}

void TForm2::PaintCanvas(HDC dc, const Rect& area) const {
  const Bitmap& canvas = layers_.i1;
  const Rect picture{0, 0, canvas.Width(), canvas.Height()};
  PaintPicture(dc, canvas, area);
  // The window's colour right of the picture, then below it.
  const int right = std::max(area.left, picture.Right());
  const int bottom = std::max(area.top, picture.Bottom());
  const Rect rest[] = {
      {right, area.top, area.Right() - right, area.height},
      {area.left, bottom, std::min(right, area.Right()) - area.left, area.Bottom() - bottom}};
  for (const Rect& r : rest)
    if (!r.Empty()) FillSolid(dc, r, GetColor());
}

void TForm2::i1MouseDown(int x, int y, bool shift) {
  // A second button lays down what the first was dragging before beginning anew.
  if (stroke_.Active()) InvalidateStroke(stroke_.Release(layers_, &history_));
  if (hooks_.begin) hooks_.begin();
  const Color color = ResolveColor(hooks_.brushColor ? hooks_.brushColor() : colors::kBlack,
                                   [](int number) { return static_cast<Color>(GetSysColor(number)); });
  const int size = hooks_.brushSize ? hooks_.brushSize() : 1;
  stroke_.Begin(x, y, size, color, shift);
  history_.BeginStep();
  if (hooks_.tool && hooks_.tool() == Tool::kNumber) {
    // A click stamps the next number; the drag after it does nothing.
    const int number = history_.NextMark();
    InvalidateCanvas(StampNumber(layers_, x, y, size, color, number, &history_));
    history_.MarkStep(number);
  }
  SetCapture(Handle());  // the stroke follows the pointer beyond the window until the release
}

void TForm2::i1MouseMove(int x, int y, bool shift) {
  if (!stroke_.Active()) return;
  const Tool tool = hooks_.tool ? hooks_.tool() : Tool::kBrush;
  const bool showWindows = hooks_.showWindows ? hooks_.showWindows() : true;
  InvalidateStroke(stroke_.Move(layers_, tool, x, y, showWindows, &history_, shift));
}

void TForm2::InvalidateStroke(const PixelRect& changed) {
  // A shape's outline is repainted piece by piece, not the whole box it spans.
  if (stroke_.ChangedRects().empty()) {
    InvalidateCanvas(changed);
    return;
  }
  // One region for all the pieces: each invalidation of its own is a trip to
  // the window system.
  const std::vector<PixelRect>& rects = stroke_.ChangedRects();
  std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(rects.size());
  header->nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  header->rcBound = {changed.left, changed.top, changed.right, changed.bottom};
  auto* out = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
  for (const PixelRect& rect : rects) *out++ = {rect.left, rect.top, rect.right, rect.bottom};
  HRGN region = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
  if (!region) {
    for (const PixelRect& rect : rects) InvalidateCanvas(rect);
    return;
  }
  InvalidateRgn(Handle(), region, FALSE);
  DeleteObject(region);
}

void TForm2::i1MouseUp() {
  const bool wasStroking = stroke_.Active();
  InvalidateStroke(stroke_.Release(layers_, &history_));
  history_.EndStep();
  if (GetCapture() == Handle()) ReleaseCapture();
  if (wasStroking && hooks_.end) hooks_.end();
}

void TForm2::Undo() {
  if (stroke_.Active()) return;
  InvalidateCanvas(history_.Undo(layers_, hooks_.showWindows ? hooks_.showWindows() : true));
}

void TForm2::Redo() {
  if (stroke_.Active()) return;
  InvalidateCanvas(history_.Redo(layers_, hooks_.showWindows ? hooks_.showWindows() : true));
}

void TForm2::InvalidateCanvas(const PixelRect& changed) {
  if (!changed.Empty()) Invalidate(Rect{changed.left, changed.top, changed.Width(), changed.Height()});
}

LRESULT TForm2::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // Any button paints; a press while stroking begins the stroke anew.
      i1MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), (wParam & MK_SHIFT) != 0);
      return 0;
    case WM_MOUSEMOVE:
      i1MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), (wParam & MK_SHIFT) != 0);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      i1MouseUp();
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Handle() && stroke_.Active()) i1MouseUp();
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      PaintCanvas(dc, FromRECT(ps.rcPaint));
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_PRINTCLIENT: {
      const Size client = ClientSize();
      PaintCanvas(reinterpret_cast<HDC>(wParam), {0, 0, client.width, client.height});
      return 0;
    }
    case WM_WINDOWPOSCHANGING: {
      // Each showing covers the work area as it is then.
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (pos->flags & SWP_SHOWWINDOW) {
        const Rect area = CoveredArea();
        pos->x = area.left;
        pos->y = area.top;
        pos->cx = area.width;
        pos->cy = area.height;
        if (frame_.Placed()) {
          CoverWorkAreas();
        } else {
          if (covering_) {
            SetWindowRgn(Handle(), nullptr, FALSE);
            covering_ = false;
          }
        }
        pos->flags &= ~static_cast<UINT>(SWP_NOMOVE | SWP_NOSIZE);
      }
      break;
    }
    case WM_DPICHANGED:
      // The surface is in the screen's pixels and covers the monitors whatever
      // their scales: the system's suggested rectangle would shrink it.
      return 0;
    case WM_SIZE:
      // The visible canvas control fills the client area.
      if (wParam != SIZE_MINIMIZED) {
        layers_.canvasWidth = LOWORD(lParam);
        layers_.canvasHeight = HIWORD(lParam);
      }
      break;
    default:
      break;
  }
  return Form::HandleMessage(msg, wParam, lParam);
}

TForm2& Form2() {
  static TForm2 form;
  return form;
}

}  // namespace velmora
