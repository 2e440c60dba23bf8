#include "ui/Form.h"

#include <climits>
#include <vector>

#include "base/CodePage.h"
#include "ui/Application.h"
#include "ui/Dpi.h"
#include "ui/Gdi.h"
#include "ui/Timer.h"
#include "ui/WindowPlace.h"

namespace velmora {
namespace {

DWORD StyleOf(const FormProps& p) {
  DWORD style = WS_CLIPCHILDREN;
  switch (p.border) {
    case BorderStyle::kNone:
      style |= WS_POPUP;
      break;
    case BorderStyle::kSingle:
      style |= WS_CAPTION;
      break;
    case BorderStyle::kSizeable:
      style |= WS_CAPTION | WS_THICKFRAME;
      break;
  }
  if (p.border != BorderStyle::kNone) {
    if (p.systemMenu) style |= WS_SYSMENU;
    if (p.minimizeBox) style |= WS_MINIMIZEBOX;
    if (p.maximizeBox) style |= WS_MAXIMIZEBOX;
  }
  return style;
}

DWORD ExStyleOf(const FormProps& p) {
  DWORD ex = WS_EX_CONTROLPARENT;
  if (p.stayOnTop) ex |= WS_EX_TOPMOST;
  if (p.transparentColor) ex |= WS_EX_LAYERED;
  return ex;
}

// The layout's outer size at `dpi`: an outer size scales whole, a client size
// gets the frame of that DPI around it.
Size OuterSizeOf(const FormProps& p, int dpi) {
  if (p.outerSize.width > 0 || p.outerSize.height > 0) return ToDpi(p.outerSize, dpi);
  const Size client = ToDpi(p.clientSize, dpi);
  RECT r{0, 0, client.width, client.height};
  AdjustForDpi(r, StyleOf(p), ExStyleOf(p), dpi);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

Form::Form(const FormProps& props)
    : Container(props.color, props.font),
      position_(props.position),
      activateOnShow_(props.activateOnShow),
      transparentColor_(props.transparentColor) {
  SetDpi(SystemDpi());
  const Size outer = OuterSizeOf(props, Dpi());
  const Point origin = Scaled(props.origin);
  Create({.className = props.className,
          .caption = props.caption,
          .style = StyleOf(props),
          .exStyle = ExStyleOf(props),
          .bounds = {origin.x, origin.y, outer.width, outer.height},
          .parent = ApplicationWindow()});
  // The monitor the window opened on may have a DPI of its own.
  ChangeDpi(WindowDpi(Handle()), nullptr);
  SetTransparentColor(transparentColor_);
}

Form::~Form() {
  for (auto& [id, timer] : timers_) KillTimer(Handle(), id);
}

Rect Form::OuterBounds() const {
  RECT r{};
  GetWindowRect(Handle(), &r);
  return FromRECT(r);
}

void Form::SetBounds(const Rect& outer) {
  SetWindowPos(Handle(), nullptr, outer.left, outer.top, outer.width, outer.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetLeft(int left) {
  Rect b = OuterBounds();
  b.left = left;
  SetBounds(b);
}

void Form::SetTop(int top) {
  Rect b = OuterBounds();
  b.top = top;
  SetBounds(b);
}

void Form::SetWidth(int width) {
  Rect b = OuterBounds();
  b.width = width;
  SetBounds(b);
}

void Form::SetHeight(int height) {
  Rect b = OuterBounds();
  b.height = height;
  SetBounds(b);
}

void Form::SetClientSize(Size size) {
  const Size client = ClientSize();
  Rect b = OuterBounds();
  b.width += size.width - client.width;
  b.height += size.height - client.height;
  SetBounds(b);
}

void Form::ChangeDpi(int dpi, const Rect* suggested) {
  if (dpi <= 0 || dpi == Dpi()) {
    if (suggested) SetBounds(*suggested);
    return;
  }
  const int old = Dpi();
  const Rect outer = OuterBounds();
  const Size client = ClientSize();
  ApplyDpi(dpi);
  Rect target;
  if (suggested) {
    target = *suggested;
  } else {
    RECT r{0, 0, BetweenDpis(client.width, old, dpi), BetweenDpis(client.height, old, dpi)};
    AdjustForDpi(r, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)),
                 static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)), dpi);
    target = {outer.left, outer.top, r.right - r.left, r.bottom - r.top};
  }
  SetBounds(target);
  Realign();
  DpiApplied();
  Invalidate();
}

void Form::CenterOnScreen() {
  // The whole screen, as the layouts mean it, not the work area.
  const Rect b = OuterBounds();
  SetBounds({(GetSystemMetrics(SM_CXSCREEN) - b.width) / 2, (GetSystemMetrics(SM_CYSCREEN) - b.height) / 2,
             b.width, b.height});
}

void Form::KeepOnAMonitor() {
  const Rect b = OuterBounds();
  const RECT r = ToRECT(b);
  if (MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) return;
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const Point at = BackIntoWorkArea(b, FromRECT(work));
  SetBounds({at.x, at.y, b.width, b.height});
}

bool Form::Visible() const {
  return IsWindowVisible(Handle());
}

void Form::Show() {
  if (!Visible() && position_ == FormPosition::kScreenCenter) CenterOnScreen();
  ShowWindow(Handle(), activateOnShow_ ? SW_SHOW : SW_SHOWNA);
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | (activateOnShow_ ? 0 : SWP_NOACTIVATE));
}

void Form::Hide() {
  ShowWindow(Handle(), SW_HIDE);
}

void Form::Close() {
  if (onClose_) onClose_();
  Hide();
}

std::string Form::Caption() const {
  std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(Handle())) + 1);
  GetWindowTextW(Handle(), text.data(), static_cast<int>(text.size()));
  return WideToUtf8(text.data());
}

void Form::SetCaption(const std::string& caption) {
  SetWindowTextW(Handle(), Utf8ToWide(caption).c_str());
}

void Form::SetTransparentColor(std::optional<Color> color) {
  transparentColor_ = color;
  const LONG_PTR ex = GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
  if (color) {
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(Handle(), ToColorRef(*color), 255, LWA_COLORKEY);
    Invalidate();
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
    // Without the layered style the window draws itself again, frame and children included.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
  }
}

UINT_PTR Form::AddTimer(Timer* timer) {
  const UINT_PTR id = nextTimerId_++;
  timers_[id] = timer;
  return id;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_TIMER:
      if (auto it = timers_.find(wParam); it != timers_.end()) {
        it->second->Fire();
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      // Moved onto a monitor of another DPI: the layout follows, in the rectangle the system suggests.
      const Rect suggested = FromRECT(*reinterpret_cast<const RECT*>(lParam));
      ChangeDpi(HIWORD(wParam), &suggested);
      return 0;
    }
    case WM_GETMINMAXINFO: {
      // A window may be wider than the screen (a long status text is not cut).
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMaxTrackSize = {SHRT_MAX, SHRT_MAX};
      return 0;
    }
    default:
      break;
  }
  return Container::HandleMessage(msg, wParam, lParam);
}

}  // namespace velmora
