#include "ui/Control.h"

#include <windowsx.h>

#include "ui/Container.h"
#include "ui/Gdi.h"

namespace velmora {

Control::Control(Container& parent, const Rect& bounds, bool visible, bool enabled, Dock dock)
    : parent_(parent), bounds_(parent.Scaled(bounds)), layout_(bounds), visible_(visible), enabled_(enabled),
      dock_(dock) {
  parent_.AddControl(this);
  if (dock_ != Dock::kNone && visible_) bounds_ = parent_.DockedBounds(this);
}

Control::~Control() {
  parent_.RemoveControl(this);
}

void Control::SetBounds(const Rect& bounds) {
  if (bounds == bounds_) return;
  const Rect old = bounds_;
  bounds_ = bounds;
  layout_ = FromDpi(bounds, parent_.Dpi());
  BoundsChanged(old);
}

void Control::DpiChanged() {
  const Rect old = bounds_;
  bounds_ = parent_.Scaled(layout_);
  if (!(bounds_ == old)) BoundsChanged(old);
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  VisibleChanged();
  if (dock_ != Dock::kNone) parent_.Realign();
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EnabledChanged();
}

GraphicControl::GraphicControl(Container& parent, const Rect& bounds, bool visible, bool enabled, Dock dock,
                               Cursor cursor)
    : Control(parent, bounds, visible, enabled, dock), cursor_(cursor) {
  parent.AddGraphic(this);
  Invalidate();
}

GraphicControl::~GraphicControl() {
  Invalidate();
  Parent().RemoveGraphic(this);
}

Cursor GraphicControl::GetCursor() const {
  if (cursor_ == Cursor::kDefault && forwardTo_) return forwardTo_->GetCursor();
  return cursor_;
}

void GraphicControl::BringToFront() {
  Parent().RaiseGraphic(this);
  Invalidate();
}

void GraphicControl::Invalidate() {
  if (Visible()) Parent().Invalidate(Bounds());
}

void GraphicControl::BoundsChanged(const Rect& old) {
  if (!Visible()) return;
  Parent().Invalidate(old);
  Parent().Invalidate(Bounds());
}

MouseEvent GraphicControl::ForFace(const MouseEvent& event) const {
  MouseEvent moved = event;
  moved.x += Left() - forwardTo_->Left();
  moved.y += Top() - forwardTo_->Top();
  return moved;
}

void GraphicControl::MouseDown(const MouseEvent& event) {
  if (onMouseDown_)
    onMouseDown_(event);
  else if (forwardTo_)
    forwardTo_->MouseDown(ForFace(event));
}

void GraphicControl::MouseMove(const MouseEvent& event) {
  if (onMouseMove_)
    onMouseMove_(event);
  else if (forwardTo_)
    forwardTo_->MouseMove(ForFace(event));
}

void GraphicControl::MouseUp(const MouseEvent& event) {
  if (onMouseUp_)
    onMouseUp_(event);
  else if (forwardTo_)
    forwardTo_->MouseUp(ForFace(event));
}

void GraphicControl::Click() {
  if (onClick_)
    onClick_();
  else if (forwardTo_)
    forwardTo_->Click();
}

WindowedControl::~WindowedControl() {
  Detach();
}

void WindowedControl::SetFocus() {
  if (hwnd_) ::SetFocus(hwnd_);
}

void WindowedControl::BringToFront() {
  if (hwnd_) SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int WindowedControl::NewControlId() {
  return Parent().NextId();
}

void WindowedControl::Attach(HWND hwnd, int id) {
  hwnd_ = hwnd;
  id_ = id;
  Parent().AddWindowed(id, this);
  // Controls made later lie above those made earlier, as the layouts list them.
  BringToFront();
  if (!Enabled()) EnableWindow(hwnd_, FALSE);
}

void WindowedControl::Detach() {
  if (!hwnd_) return;
  Parent().RemoveWindowed(id_);
  hwnd_ = nullptr;
}

void WindowedControl::BoundsChanged(const Rect&) {
  if (hwnd_) MoveWindow(hwnd_, Left(), Top(), Width(), Height(), TRUE);
}

void WindowedControl::VisibleChanged() {
  if (hwnd_) ShowWindow(hwnd_, Visible() ? SW_SHOWNA : SW_HIDE);
}

void WindowedControl::EnabledChanged() {
  if (hwnd_) EnableWindow(hwnd_, Enabled());
}

}  // namespace velmora
