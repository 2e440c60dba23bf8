#pragma once
// The program's windows. A form is created once, hidden, and lives until the
// program ends; closing it hides it.
#include <windows.h>

#include <map>
#include <optional>
#include <string>

#include "ui/Container.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace velmora {

class Timer;

enum class BorderStyle { kNone, kSingle, kSizeable };
enum class FormPosition { kDesigned, kScreenCenter };

struct FormProps {
  const char* className = "TForm";  // the window class, named after the form class
  std::string caption{};
  BorderStyle border = BorderStyle::kSizeable;
  bool systemMenu = true;  // the title bar's close box
  bool minimizeBox = false;
  bool maximizeBox = false;
  bool stayOnTop = false;
  FormPosition position = FormPosition::kDesigned;
  // In 96-DPI layout pixels, like the controls' bounds.
  Point origin{};     // outer left and top
  Size clientSize{};  // used when outerSize is empty
  Size outerSize{};
  Color color = colors::kBtnFace;
  FontInfo font{};                          // the default font of the form's controls
  std::optional<Color> transparentColor{};  // pixels of this colour are see-through
  bool activateOnShow = true;
};

class Form : public Container {
 public:
  explicit Form(const FormProps& props);
  ~Form() override;

  // Outer frame, in screen pixels.
  int Left() const { return OuterBounds().left; }
  int Top() const { return OuterBounds().top; }
  int Width() const { return OuterBounds().width; }
  int Height() const { return OuterBounds().height; }
  Rect OuterBounds() const;
  void SetBounds(const Rect& outer);
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  int ClientWidth() const { return ClientSize().width; }
  int ClientHeight() const { return ClientSize().height; }
  void SetClientSize(Size size);
  void CenterOnScreen();
  // A window lying on no monitor (its saved place was on one that is gone)
  // comes back into the primary monitor's work area.
  void KeepOnAMonitor();

  bool Visible() const;
  // Shows the form (centred first when its position says so) above other windows.
  void Show();
  void Hide();
  // The form's ordinary close: the close handler runs, then the form hides.
  void Close();
  void OnClose(Handler handler) { onClose_ = std::move(handler); }

  std::string Caption() const;
  void SetCaption(const std::string& caption);

  std::optional<Color> TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(std::optional<Color> color);

  // The window and its layout taken to `dpi`, into `suggested` (outer, screen
  // pixels) when given, else keeping its top-left corner and its client area's
  // size on the screen. WM_DPICHANGED comes here.
  void ChangeDpi(int dpi, const Rect* suggested);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // After a change of DPI, for what a form lays out itself.
  virtual void DpiApplied() {}

 private:
  friend class Timer;
  UINT_PTR AddTimer(Timer* timer);
  void RemoveTimer(UINT_PTR id) { timers_.erase(id); }

  FormPosition position_;
  bool activateOnShow_;
  std::optional<Color> transparentColor_;
  Handler onClose_;
  std::map<UINT_PTR, Timer*> timers_;
  UINT_PTR nextTimerId_ = 1;
};

}  // namespace velmora
