#pragma once
// Controls placed on a container (a form, panel or group box), in the
// container's client pixels: windowless graphic controls painted by the
// container, and windowed controls backed by a child window.
#include <windows.h>

#include <functional>

#include "base/Geometry.h"

namespace velmora {

class Container;

using Handler = std::function<void()>;

enum class MouseButton { kLeft, kRight, kMiddle };

struct ShiftState {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool left = false;
  bool right = false;
  bool middle = false;
};

// A mouse event; x and y are in the pixels of the control whose handler runs.
struct MouseEvent {
  MouseButton button = MouseButton::kLeft;
  ShiftState shift{};
  int x = 0;
  int y = 0;
};
using MouseHandler = std::function<void(const MouseEvent&)>;

enum class Cursor { kDefault, kHand };

// How a control follows its container's client area.
enum class Dock { kNone, kTop, kBottom, kLeft, kRight, kFill };

class Control {
 public:
  // `bounds` in 96-DPI layout pixels.
  Control(Container& parent, const Rect& bounds, bool visible, bool enabled, Dock dock);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Container& Parent() const { return parent_; }

  // In the container's client pixels, at its DPI.
  const Rect& Bounds() const { return bounds_; }
  // The same in 96-DPI layout pixels, to lay other controls out by.
  const Rect& LayoutBounds() const { return layout_; }
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  void SetBounds(const Rect& bounds);
  void SetLeft(int left) { SetBounds({left, bounds_.top, bounds_.width, bounds_.height}); }
  void SetTop(int top) { SetBounds({bounds_.left, top, bounds_.width, bounds_.height}); }
  void SetWidth(int width) { SetBounds({bounds_.left, bounds_.top, width, bounds_.height}); }
  void SetHeight(int height) { SetBounds({bounds_.left, bounds_.top, bounds_.width, height}); }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  Dock GetDock() const { return dock_; }

  // The container's DPI changed: the control takes its layout to it anew.
  virtual void DpiChanged();

 protected:
  virtual void BoundsChanged(const Rect& old) = 0;
  virtual void VisibleChanged() = 0;
  virtual void EnabledChanged() = 0;

 private:
  friend class Container;  // docking places controls

  Container& parent_;
  Rect bounds_;
  Rect layout_;  // the bounds in 96-DPI pixels, kept so that each DPI starts from them
  bool visible_;
  bool enabled_;
  int tag_ = 0;
  Dock dock_;
};

// A control without a window of its own: its container paints it (double
// buffered, later controls on top) and hands it the mouse events of the
// pixels it covers, the top-most control first.
class GraphicControl : public Control {
 public:
  GraphicControl(Container& parent, const Rect& bounds, bool visible, bool enabled, Dock dock, Cursor cursor);
  ~GraphicControl() override;

  void OnClick(Handler handler) { onClick_ = std::move(handler); }
  void OnMouseDown(MouseHandler handler) { onMouseDown_ = std::move(handler); }
  void OnMouseMove(MouseHandler handler) { onMouseMove_ = std::move(handler); }
  void OnMouseUp(MouseHandler handler) { onMouseUp_ = std::move(handler); }

  // A label or icon lying on a face: every mouse event that has no handler
  // here goes to the face, in the face's pixels, so that it acts as the face.
  void ForwardMouseTo(GraphicControl* face) { forwardTo_ = face; }

  Cursor GetCursor() const;
  void SetCursor(Cursor cursor) { cursor_ = cursor; }

  // Puts the control above the other graphic controls of its container.
  void BringToFront();
  void Invalidate();

  // Called by the container. The DC is in the container's client pixels and
  // clipped to the control's bounds.
  virtual void Paint(HDC dc) = 0;
  virtual void MouseDown(const MouseEvent& event);
  virtual void MouseMove(const MouseEvent& event);
  virtual void MouseUp(const MouseEvent& event);
  virtual void Click();

 protected:
  void BoundsChanged(const Rect& old) override;
  void VisibleChanged() override { Invalidate(); }
  void EnabledChanged() override { Invalidate(); }

 private:
  MouseEvent ForFace(const MouseEvent& event) const;

  Handler onClick_;
  MouseHandler onMouseDown_;
  MouseHandler onMouseMove_;
  MouseHandler onMouseUp_;
  GraphicControl* forwardTo_ = nullptr;
  Cursor cursor_;
};

// A control backed by a child window. Its container routes the child's
// notifications (commands, scrolling, owner drawing, colours) to it.
class WindowedControl : public Control {
 public:
  using Control::Control;
  ~WindowedControl() override;

  HWND Hwnd() const { return hwnd_; }
  int Id() const { return id_; }
  void SetFocus();
  void BringToFront();

  virtual bool HandleCommand(WORD /*code*/) { return false; }
  virtual bool HandleNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  virtual void HandleScroll(WORD /*code*/) {}
  virtual bool HandleDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
  virtual bool HandleMeasureItem(MEASUREITEMSTRUCT& /*item*/) { return false; }
  // A key pressed in a list box that wants keyboard input; `result` tells
  // the list what to do next.
  virtual bool HandleVKeyToItem(WORD /*key*/, LRESULT& /*result*/) { return false; }
  // The background brush for WM_CTLCOLOR*, after setting the DC's colours; null for the default.
  virtual HBRUSH HandleCtlColor(HDC /*dc*/) { return nullptr; }

 protected:
  // A fresh control identifier in the container, for the window about to be made.
  int NewControlId();
  // Records the window made by the derived class and registers it with the container.
  void Attach(HWND hwnd, int id);
  // Detaches from the container; the derived class destroys the window.
  void Detach();
  void BoundsChanged(const Rect& old) override;
  void VisibleChanged() override;
  void EnabledChanged() override;

 private:
  HWND hwnd_ = nullptr;
  int id_ = 0;
};

}  // namespace velmora
