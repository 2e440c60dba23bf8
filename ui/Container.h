#pragma once
// A window that holds controls: forms, panels and group boxes. It paints its
// graphic controls over its background through one off-screen buffer, gives
// them the mouse (the control that took the button keeps it until release),
// docks controls and routes the notifications of its child windows.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "base/DpiScale.h"
#include "ui/Color.h"
#include "ui/Control.h"
#include "ui/FontInfo.h"
#include "winbase/Window.h"

namespace velmora {

class Container : public Window {
 public:
  Color GetColor() const { return color_; }
  void SetColor(Color color);
  // The font that controls created later take when they name none.
  const FontInfo& Font() const { return font_; }
  void SetFont(const FontInfo& font) { font_ = font; }

  // The DPI the controls are laid out for. Layouts are in 96-DPI pixels and
  // taken to it once, as controls are made or the DPI changes; everything a
  // control reports afterwards is in the window's own pixels.
  int Dpi() const { return dpi_; }
  int Scaled(int layoutPixels) const { return ToDpi(layoutPixels, dpi_); }
  Point Scaled(Point layoutPoint) const { return ToDpi(layoutPoint, dpi_); }
  Rect Scaled(const Rect& layoutRect) const { return ToDpi(layoutRect, dpi_); }
  int Unscaled(int pixels) const { return FromDpi(pixels, dpi_); }

  Size ClientSize() const;
  void Invalidate();
  void Invalidate(const Rect& area);
  // Paints the invalid part now, without waiting for the message loop.
  void Repaint();

  // Background and graphic controls of `area`, into a DC in client pixels.
  void PaintClient(HDC dc, const Rect& area);

  // The top-most visible, enabled graphic control at a client point, or null.
  GraphicControl* GraphicAt(Point point) const;
  // Every control, in creation order.
  const std::vector<Control*>& Controls() const { return controls_; }

  // Mouse events on the background, where no graphic control lies.
  void OnMouseDown(MouseHandler handler) { onMouseDown_ = std::move(handler); }
  void OnMouseMove(MouseHandler handler) { onMouseMove_ = std::move(handler); }
  void OnMouseUp(MouseHandler handler) { onMouseUp_ = std::move(handler); }

  // Lays out the docked controls in the client area.
  void Realign();

  // A tip shown while the pointer rests on an area (a glyph button's hint);
  // `owner` identifies it for a later change or removal.
  void SetTip(const void* owner, const Rect& area, const std::string& text);
  void RemoveTip(const void* owner);
  HWND TipWindow() const { return tips_; }

 protected:
  Container(Color color, const FontInfo& font) : color_(color), font_(font) {}

  // Before any control is made: the DPI their layouts are taken to.
  void SetDpi(int dpi) { dpi_ = dpi; }
  // Every control laid out anew for `dpi`: bounds, fonts and pictures.
  void ApplyDpi(int dpi);

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // Fills `area` with the container's colour; panels add their frames.
  virtual void PaintBackground(HDC dc, const Rect& area);

 private:
  friend class Control;
  friend class GraphicControl;
  friend class WindowedControl;

  void AddControl(Control* control);
  void RemoveControl(Control* control);
  void AddGraphic(GraphicControl* control) { graphics_.push_back(control); }
  void RemoveGraphic(GraphicControl* control);
  void RaiseGraphic(GraphicControl* control);
  int NextId() { return nextId_++; }
  void AddWindowed(int id, WindowedControl* control) { windowed_[id] = control; }
  void RemoveWindowed(int id) { windowed_.erase(id); }
  WindowedControl* WindowedById(int id) const;
  WindowedControl* WindowedByHandle(HWND hwnd) const;
  // The bounds of `constructing`, which cannot be told of them yet, after docking.
  Rect DockedBounds(Control* constructing);
  void Layout(Control* constructing, Rect* constructingBounds);

  LRESULT HandleMouse(UINT msg, WPARAM wParam, LPARAM lParam);
  bool HandleSetCursor();
  void Paint();

  Color color_;
  FontInfo font_;
  int dpi_ = kLayoutDpi;
  std::vector<Control*> controls_;
  std::vector<GraphicControl*> graphics_;  // bottom first
  std::map<int, WindowedControl*> windowed_;
  int nextId_ = 100;     // clear of IDOK and IDCANCEL
  HWND tips_ = nullptr;  // owned by the container's window, which destroys it
  bool captured_ = false;
  GraphicControl* mouseTarget_ = nullptr;  // the control holding the mouse while captured
  GraphicControl* clickCandidate_ = nullptr;
  MouseHandler onMouseDown_;
  MouseHandler onMouseMove_;
  MouseHandler onMouseUp_;
};

}  // namespace velmora
