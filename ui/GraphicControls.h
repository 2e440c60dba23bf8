#pragma once
// The windowless controls: image, label, shape, bevel and glyph button.
#include <memory>
#include <optional>
#include <string>

#include "ui/Color.h"
#include "ui/Control.h"
#include "ui/FontInfo.h"
#include "winbase/Handles.h"
#include "ui/ShapeGeometry.h"
#include "ui/ShownPicture.h"

namespace velmora {

struct ImageProps {
  Rect bounds{};
  bool stretch = false;      // the picture fills the bounds; otherwise it sits at the top-left
  bool autoSize = false;     // the bounds take the picture's size
  bool transparent = false;  // the picture's bottom-left pixel colour is see-through
  Cursor cursor = Cursor::kDefault;
  bool visible = true;
  bool enabled = true;
  Dock dock = Dock::kNone;
};

class Image : public GraphicControl {
 public:
  Image(Container& parent, const ImageProps& props);

  // The picture as shown at the container's DPI.
  HBITMAP Picture() const;
  Size PictureSize() const;
  // A picture in screen pixels, shown pixel for pixel.
  void SetPicture(UniqueBitmap picture);
  // A picture drawn for the layout, shown at the container's DPI.
  void SetPicture(std::shared_ptr<const ShownPicture> picture);
  // Gives this image the other image's picture. Pictures are never drawn on
  // once held, so the two share one bitmap.
  void AssignPicture(const Image& other);
  void ClearPicture();
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  void SetTransparent(bool transparent);

  void Paint(HDC dc) override;
  void DpiChanged() override;

 private:
  void FitToPicture();

  std::shared_ptr<const ShownPicture> picture_;
  bool stretch_;
  bool autoSize_;
  bool transparent_;
};

enum class TextAlign { kLeft, kCenter, kRight };

struct LabelProps {
  Rect bounds{};  // width and height are taken from the text while autoSize is on
  std::string caption{};
  std::optional<FontInfo> font{};  // the container's font when empty
  std::optional<Color> color{};    // background; the container's colour when empty
  bool transparent = false;
  TextAlign alignment = TextAlign::kLeft;
  bool autoSize = true;
  bool wordWrap = false;
  Cursor cursor = Cursor::kDefault;
  bool visible = true;
  bool enabled = true;
  Dock dock = Dock::kNone;
};

class Label : public GraphicControl {
 public:
  Label(Container& parent, const LabelProps& props);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  const FontInfo& Font() const { return font_; }
  void SetFont(const FontInfo& font);
  void SetFontColor(Color color);
  Color GetColor() const;
  void SetColor(Color color);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  void SetAlignment(TextAlign alignment);
  void SetAutoSize(bool autoSize);

  void Paint(HDC dc) override;
  void DpiChanged() override;

 private:
  unsigned TextFlags() const;
  void FitToText();

  std::string caption_;
  FontInfo font_;
  UniqueFont hfont_;
  std::optional<Color> color_;
  bool transparent_;
  TextAlign alignment_;
  bool autoSize_;
  bool wordWrap_;
};

struct PenStyle {
  Color color = colors::kBlack;
  int width = 1;
  bool clear = false;  // no outline
};

struct BrushStyle {
  Color color = colors::kWhite;
  bool clear = false;  // no fill
};

struct ShapeProps {
  Rect bounds{};
  ShapeKind kind = ShapeKind::kRectangle;
  PenStyle pen{};
  BrushStyle brush{};
  Cursor cursor = Cursor::kDefault;
  bool visible = true;
  bool enabled = true;
  Dock dock = Dock::kNone;
};

class Shape : public GraphicControl {
 public:
  Shape(Container& parent, const ShapeProps& props);

  ShapeKind Kind() const { return kind_; }
  void SetKind(ShapeKind kind);
  const PenStyle& Pen() const { return pen_; }
  void SetPen(const PenStyle& pen);
  const BrushStyle& Brush() const { return brush_; }
  void SetBrush(const BrushStyle& brush);
  void SetBrushColor(Color color) { SetBrush({color, false}); }

  void Paint(HDC dc) override;

 private:
  ShapeKind kind_;
  PenStyle pen_;
  BrushStyle brush_;
};

enum class BevelShape { kBox, kTopLine, kBottomLine, kLeftLine, kRightLine };
enum class BevelStyle { kLowered, kRaised };

struct BevelProps {
  Rect bounds{};
  BevelShape shape = BevelShape::kBox;
  BevelStyle style = BevelStyle::kLowered;
  bool visible = true;
  Dock dock = Dock::kNone;
};

class Bevel : public GraphicControl {
 public:
  Bevel(Container& parent, const BevelProps& props);
  void Paint(HDC dc) override;

 private:
  BevelShape shape_;
  BevelStyle style_;
};

struct GlyphButtonProps {
  Rect bounds{};
  std::string caption{};
  std::string hint{};
  std::optional<FontInfo> font{};
  bool visible = true;
  bool enabled = true;
};

// A small push button drawn by its container, with an optional glyph left of
// its caption; it clicks like a button and does not take the focus.
class GlyphButton : public GraphicControl {
 public:
  GlyphButton(Container& parent, const GlyphButtonProps& props);
  ~GlyphButton() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  const std::string& Hint() const { return hint_; }
  // The glyph's bottom-left pixel colour is see-through.
  void SetGlyph(UniqueBitmap glyph);
  bool Down() const { return down_; }

  void Paint(HDC dc) override;
  void MouseDown(const MouseEvent& event) override;
  void MouseMove(const MouseEvent& event) override;
  void MouseUp(const MouseEvent& event) override;
  void DpiChanged() override;

 protected:
  void BoundsChanged(const Rect& old) override;
  void VisibleChanged() override;

 private:
  void SetDown(bool down);
  void UpdateTip();

  std::string caption_;
  std::string hint_;
  FontInfo font_;
  UniqueFont hfont_;
  UniqueBitmap glyph_;
  bool down_ = false;
};

}  // namespace velmora
