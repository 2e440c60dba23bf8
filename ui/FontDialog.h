#pragma once
// The system's font dialog: face, style, size, script (charset) and the
// effects underline, strike-out and colour.
#include <windows.h>

#include "ui/FontInfo.h"

namespace velmora {

class FontDialog {
 public:
  explicit FontDialog(const FontInfo& font) : font_(font) {}

  const FontInfo& Font() const { return font_; }
  void SetFont(const FontInfo& font) { font_ = font; }

  // Runs the dialog, opened with the font. When the user confirms, the choice
  // becomes the font and the result is true.
  bool Execute(HWND owner);

 private:
  FontInfo font_;
};

}  // namespace velmora
