#include "ui/Container.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "base/CodePage.h"
#include "ui/Application.h"
#include "ui/Gdi.h"
#include "winbase/Handles.h"

namespace velmora {
namespace {

ShiftState ShiftFrom(WPARAM keys) {
  ShiftState s;
  s.shift = keys & MK_SHIFT;
  s.ctrl = keys & MK_CONTROL;
  s.alt = GetKeyState(VK_MENU) < 0;
  s.left = keys & MK_LBUTTON;
  s.right = keys & MK_RBUTTON;
  s.middle = keys & MK_MBUTTON;
  return s;
}

MouseButton ButtonOf(UINT msg) {
  switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return MouseButton::kRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return MouseButton::kMiddle;
    default:
      return MouseButton::kLeft;
  }
}

// BeginPaint and EndPaint as a pair, also when painting fails part-way.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  ~PaintScope() { EndPaint(hwnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC Dc() const { return dc_; }
  Rect Area() const { return FromRECT(ps_.rcPaint); }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

TTTOOLINFOW ToolFor(HWND hwnd, const void* owner) {
  TTTOOLINFOW tool{};
  // The first version of the structure, which every common controls library knows.
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = hwnd;
  tool.uId = reinterpret_cast<UINT_PTR>(owner);
  return tool;
}

}  // namespace

void Container::SetTip(const void* owner, const Rect& area, const std::string& text) {
  if (!Handle()) return;
  if (!tips_) {
    InitCommonControlsOnce();
    tips_ = CheckCreated(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(),
                                         nullptr, GetModuleHandleW(nullptr), nullptr),
                         TOOLTIPS_CLASSA);
  }
  RemoveTip(owner);
  TTTOOLINFOW tool = ToolFor(Handle(), owner);
  tool.rect = ToRECT(area);
  std::wstring wide = Utf8ToWide(text);
  tool.lpszText = wide.data();  // copied by the control
  SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Container::RemoveTip(const void* owner) {
  if (!tips_) return;
  TTTOOLINFOW tool = ToolFor(Handle(), owner);
  SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Container::SetColor(Color color) {
  color_ = color;
  Invalidate();
}

Size Container::ClientSize() const {
  RECT r{};
  if (Handle()) GetClientRect(Handle(), &r);
  return {r.right, r.bottom};
}

void Container::Invalidate() {
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void Container::Invalidate(const Rect& area) {
  if (!Handle() || area.Empty()) return;
  const RECT r = ToRECT(area);
  InvalidateRect(Handle(), &r, FALSE);
}

void Container::Repaint() {
  if (!Handle()) return;
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Container::PaintBackground(HDC dc, const Rect& area) {
  FillSolid(dc, area, color_);
}

void Container::PaintClient(HDC dc, const Rect& area) {
  PaintBackground(dc, area);
  for (GraphicControl* g : graphics_) {
    if (!g->Visible() || !g->Bounds().Intersects(area)) continue;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, g->Left(), g->Top(), g->Bounds().Right(), g->Bounds().Bottom());
    g->Paint(dc);
    RestoreDC(dc, saved);
  }
}

void Container::Paint() {
  const PaintScope paint(Handle());
  HDC dc = paint.Dc();
  const Rect area = paint.Area();
  if (!area.Empty()) {
    // The buffer is declared first so that the DC gives it back before it is deleted.
    UniqueBitmap buffer(CreateCompatibleBitmap(dc, area.width, area.height));
    MemoryDc memory(dc);
    memory.Select(buffer.Get());
    SetViewportOrgEx(memory, -area.left, -area.top, nullptr);
    PaintClient(memory, area);
    SetViewportOrgEx(memory, 0, 0, nullptr);
    BitBlt(dc, area.left, area.top, area.width, area.height, memory, 0, 0, SRCCOPY);
  }
}

GraphicControl* Container::GraphicAt(Point point) const {
  for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it) {
    GraphicControl* g = *it;
    if (g->Visible() && g->Enabled() && g->Bounds().Contains(point)) return g;
  }
  return nullptr;
}

void Container::AddControl(Control* control) {
  controls_.push_back(control);
}

void Container::RemoveControl(Control* control) {
  std::erase(controls_, control);
  if (mouseTarget_ == control) mouseTarget_ = nullptr;
  if (clickCandidate_ == control) clickCandidate_ = nullptr;
}

void Container::RemoveGraphic(GraphicControl* control) {
  std::erase(graphics_, control);
  if (mouseTarget_ == control) mouseTarget_ = nullptr;
  if (clickCandidate_ == control) clickCandidate_ = nullptr;
}

void Container::RaiseGraphic(GraphicControl* control) {
  std::erase(graphics_, control);
  graphics_.push_back(control);
}

WindowedControl* Container::WindowedById(int id) const {
  auto it = windowed_.find(id);
  return it == windowed_.end() ? nullptr : it->second;
}

WindowedControl* Container::WindowedByHandle(HWND hwnd) const {
  if (!hwnd || GetParent(hwnd) != Handle()) return nullptr;
  WindowedControl* c = WindowedById(GetDlgCtrlID(hwnd));
  return c && c->Hwnd() == hwnd ? c : nullptr;
}

void Container::ApplyDpi(int dpi) {
  if (dpi <= 0 || dpi == dpi_) return;
  dpi_ = dpi;
  for (Control* c : controls_) c->DpiChanged();
  Realign();
  Invalidate();
}

void Container::Realign() {
  Layout(nullptr, nullptr);
}

Rect Container::DockedBounds(Control* constructing) {
  Rect bounds = constructing->Bounds();
  Layout(constructing, &bounds);
  return bounds;
}

void Container::Layout(Control* constructing, Rect* constructingBounds) {
  const Size client = ClientSize();
  Rect free{0, 0, client.width, client.height};
  auto place = [&](Control* c, const Rect& r) {
    if (c == constructing)
      *constructingBounds = r;
    else
      c->SetBounds(r);
  };
  // Top and bottom first, then left and right, then the rest fills what is left.
  for (Dock pass : {Dock::kTop, Dock::kBottom, Dock::kLeft, Dock::kRight, Dock::kFill}) {
    for (Control* c : controls_) {
      if (c->GetDock() != pass || !c->Visible()) continue;
      const Rect& b = c == constructing ? *constructingBounds : c->Bounds();
      switch (pass) {
        case Dock::kTop:
          place(c, {free.left, free.top, free.width, b.height});
          free.top += b.height;
          free.height -= b.height;
          break;
        case Dock::kBottom:
          place(c, {free.left, free.Bottom() - b.height, free.width, b.height});
          free.height -= b.height;
          break;
        case Dock::kLeft:
          place(c, {free.left, free.top, b.width, free.height});
          free.left += b.width;
          free.width -= b.width;
          break;
        case Dock::kRight:
          place(c, {free.Right() - b.width, free.top, b.width, free.height});
          free.width -= b.width;
          break;
        case Dock::kFill:
          place(c, free);
          break;
        case Dock::kNone:
          break;
      }
    }
  }
}

LRESULT Container::HandleMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
  const Point p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  MouseEvent event{ButtonOf(msg), ShiftFrom(wParam), p.x, p.y};
  GraphicControl* target = captured_ ? mouseTarget_ : GraphicAt(p);
  if (target) {
    event.x -= target->Left();
    event.y -= target->Top();
  }
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (!captured_) {
        // The control that takes the button gets every event until the release.
        mouseTarget_ = target;
        SetCapture(Handle());
        captured_ = true;
      }
      if (msg == WM_LBUTTONDOWN) clickCandidate_ = target;
      if (target)
        target->MouseDown(event);
      else if (onMouseDown_)
        onMouseDown_(event);
      break;
    case WM_MOUSEMOVE:
      if (target)
        target->MouseMove(event);
      else if (onMouseMove_)
        onMouseMove_(event);
      break;
    default: {
      const bool clicked = msg == WM_LBUTTONUP && target && target == clickCandidate_ && target->Visible() &&
                           target->Bounds().Contains(p);
      if (msg == WM_LBUTTONUP) clickCandidate_ = nullptr;
      if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
        // Released before the handlers run, which may open boxes of their own.
        captured_ = false;
        mouseTarget_ = nullptr;
        if (GetCapture() == Handle()) ReleaseCapture();
      }
      if (target)
        target->MouseUp(event);
      else if (onMouseUp_)
        onMouseUp_(event);
      if (clicked) target->Click();
      break;
    }
  }
  return 0;
}

bool Container::HandleSetCursor() {
  POINT pt;
  GetCursorPos(&pt);
  ScreenToClient(Handle(), &pt);
  GraphicControl* g = captured_ ? mouseTarget_ : GraphicAt({pt.x, pt.y});
  const bool hand = g && g->GetCursor() == Cursor::kHand;
  ::SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(hand ? IDC_HAND : IDC_ARROW)));
  return true;
}

LRESULT Container::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_PRINTCLIENT: {
      const Size client = ClientSize();
      PaintClient(reinterpret_cast<HDC>(wParam), {0, 0, client.width, client.height});
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      Realign();
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
      return HandleMouse(msg, wParam, lParam);
    case WM_CAPTURECHANGED:
      captured_ = false;
      mouseTarget_ = nullptr;
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == Handle() && LOWORD(lParam) == HTCLIENT) return HandleSetCursor();
      break;
    case WM_COMMAND:
      if (auto* c = WindowedByHandle(reinterpret_cast<HWND>(lParam)); c && c->HandleCommand(HIWORD(wParam)))
        return 0;
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      LRESULT result = 0;
      if (auto* c = WindowedByHandle(header->hwndFrom); c && c->HandleNotify(*header, result)) return result;
      break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (auto* c = WindowedByHandle(reinterpret_cast<HWND>(lParam))) {
        c->HandleScroll(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_DRAWITEM:
      if (auto* c = WindowedById(static_cast<int>(wParam));
          c && c->HandleDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
        return TRUE;
      break;
    case WM_MEASUREITEM:
      if (auto* c = WindowedById(static_cast<int>(wParam));
          c && c->HandleMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
        return TRUE;
      break;
    case WM_VKEYTOITEM: {
      LRESULT result = -1;  // the list's own use of the key
      if (auto* c = WindowedByHandle(reinterpret_cast<HWND>(lParam)))
        c->HandleVKeyToItem(LOWORD(wParam), result);
      return result;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      if (auto* c = WindowedByHandle(reinterpret_cast<HWND>(lParam)))
        if (HBRUSH brush = c->HandleCtlColor(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<LRESULT>(brush);
      break;
    default:
      break;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace velmora
