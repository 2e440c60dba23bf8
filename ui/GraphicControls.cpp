#include "ui/GraphicControls.h"

#include "base/CodePage.h"
#include "ui/Container.h"
#include "ui/Gdi.h"

namespace velmora {
namespace {

// Copies a picture into the DC, optionally stretched to `dest` and with its
// bottom-left pixel colour left out.
void DrawPicture(HDC dc, HBITMAP picture, Size size, const Rect& dest, bool transparent) {
  MemoryDc source(dc);
  source.Select(picture);
  if (transparent) {
    const COLORREF key = GetPixel(source, 0, size.height - 1);
    // gdi32's own, which msimg32's TransparentBlt forwards to: msimg32.dll is
    // none of the DLLs Windows always takes from its own folder, so importing
    // it would load one planted beside KVX.exe.
    GdiTransparentBlt(dc, dest.left, dest.top, dest.width, dest.height, source, 0, 0, size.width, size.height,
                      key);
  } else if (dest.GetSize() == size) {
    BitBlt(dc, dest.left, dest.top, dest.width, dest.height, source, 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, dest.left, dest.top, dest.width, dest.height, source, 0, 0, size.width, size.height,
               SRCCOPY);
  }
}

}  // namespace

Image::Image(Container& parent, const ImageProps& props)
    : GraphicControl(parent, props.bounds, props.visible, props.enabled, props.dock, props.cursor),
      stretch_(props.stretch),
      autoSize_(props.autoSize),
      transparent_(props.transparent) {}

HBITMAP Image::Picture() const {
  return picture_ ? picture_->At(Parent().Dpi()) : nullptr;
}

Size Image::PictureSize() const {
  return picture_ ? picture_->SizeAt(Parent().Dpi()) : Size{};
}

void Image::SetPicture(UniqueBitmap picture) {
  SetPicture(picture ? ShownPicture::InScreenPixels(std::move(picture)) : nullptr);
}

void Image::SetPicture(std::shared_ptr<const ShownPicture> picture) {
  picture_ = std::move(picture);
  FitToPicture();
  Invalidate();
}

void Image::AssignPicture(const Image& other) {
  SetPicture(other.picture_);
}

void Image::ClearPicture() {
  SetPicture(std::shared_ptr<const ShownPicture>());
}

void Image::SetStretch(bool stretch) {
  stretch_ = stretch;
  Invalidate();
}

void Image::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  FitToPicture();
}

void Image::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

void Image::FitToPicture() {
  if (!autoSize_ || !picture_) return;
  const Size size = PictureSize();
  SetBounds({Left(), Top(), size.width, size.height});
}

void Image::Paint(HDC dc) {
  const HBITMAP picture = Picture();
  // The bitmap's own size: a picture resized for this DPI may differ from the layout's by a pixel.
  const Size size = BitmapSize(picture);
  if (!picture || size.width <= 0 || size.height <= 0) return;
  const Rect dest = stretch_ ? Bounds() : Rect{Left(), Top(), size.width, size.height};
  DrawPicture(dc, picture, size, dest, transparent_);
}

void Image::DpiChanged() {
  GraphicControl::DpiChanged();
  FitToPicture();
  Invalidate();
}

Label::Label(Container& parent, const LabelProps& props)
    : GraphicControl(parent, props.bounds, props.visible, props.enabled, props.dock, props.cursor),
      caption_(props.caption),
      font_(props.font.value_or(parent.Font())),
      hfont_(CreateFontFrom(font_, parent.Dpi())),
      color_(props.color),
      transparent_(props.transparent),
      alignment_(props.alignment),
      autoSize_(props.autoSize),
      wordWrap_(props.wordWrap) {
  FitToText();
}

void Label::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  FitToText();
  Invalidate();
}

void Label::SetFont(const FontInfo& font) {
  font_ = font;
  hfont_ = CreateFontFrom(font_, Parent().Dpi());
  FitToText();
  Invalidate();
}

void Label::SetFontColor(Color color) {
  font_.color = color;
  Invalidate();
}

Color Label::GetColor() const {
  return color_.value_or(Parent().GetColor());
}

void Label::SetColor(Color color) {
  color_ = color;
  Invalidate();
}

void Label::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

void Label::SetAlignment(TextAlign alignment) {
  alignment_ = alignment;
  Invalidate();
}

void Label::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  FitToText();
}

unsigned Label::TextFlags() const {
  unsigned flags = DT_NOPREFIX | DT_EXPANDTABS;
  if (wordWrap_) flags |= DT_WORDBREAK;
  if (alignment_ == TextAlign::kCenter) flags |= DT_CENTER;
  if (alignment_ == TextAlign::kRight) flags |= DT_RIGHT;
  return flags;
}

void Label::FitToText() {
  if (!autoSize_) return;
  MemoryDc dc;
  dc.Select(hfont_.Get());
  RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
  // An empty caption is measured as a space so that the label keeps a line's height.
  const std::wstring text = caption_.empty() ? std::wstring(L" ") : Utf8ToWide(caption_);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | TextFlags());
  dc.Restore();
  Rect b = Bounds();
  const int width = wordWrap_ ? b.width : r.right;
  // A right-aligned label keeps its right edge, a centred one its middle.
  if (alignment_ == TextAlign::kRight) b.left = b.Right() - width;
  if (alignment_ == TextAlign::kCenter) b.left += (b.width - width) / 2;
  SetBounds({b.left, b.top, width, r.bottom});
}

void Label::DpiChanged() {
  hfont_ = CreateFontFrom(font_, Parent().Dpi());
  GraphicControl::DpiChanged();
  FitToText();
  Invalidate();
}

void Label::Paint(HDC dc) {
  if (!transparent_) FillSolid(dc, Bounds(), GetColor());
  SelectedObject font(dc, hfont_.Get());
  SetBkMode(dc, TRANSPARENT);
  RECT r = ToRECT(Bounds());
  const unsigned flags = TextFlags();
  const std::wstring caption = Utf8ToWide(caption_);
  const int length = static_cast<int>(caption.size());
  if (!Enabled()) {
    // The system's look of disabled text: a highlight copy under a shadow-coloured one.
    RECT shifted = r;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, ToColorRef(colors::kBtnHighlight));
    DrawTextW(dc, caption.c_str(), length, &shifted, flags);
    SetTextColor(dc, ToColorRef(colors::kBtnShadow));
  } else {
    SetTextColor(dc, ToColorRef(font_.color));
  }
  DrawTextW(dc, caption.c_str(), length, &r, flags);
}

Shape::Shape(Container& parent, const ShapeProps& props)
    : GraphicControl(parent, props.bounds, props.visible, props.enabled, props.dock, props.cursor),
      kind_(props.kind),
      pen_(props.pen),
      brush_(props.brush) {}

void Shape::SetKind(ShapeKind kind) {
  kind_ = kind;
  Invalidate();
}

void Shape::SetPen(const PenStyle& pen) {
  pen_ = pen;
  Invalidate();
}

void Shape::SetBrush(const BrushStyle& brush) {
  brush_ = brush;
  Invalidate();
}

void Shape::Paint(HDC dc) {
  const ShapeFigure figure = FigureOf(kind_, Width(), Height());
  Rect r = figure.bounds.Offset(Left(), Top());
  UniquePen pen;
  UniqueBrush brush;
  HGDIOBJ penObject = GetStockObject(NULL_PEN);
  HGDIOBJ brushObject = GetStockObject(NULL_BRUSH);
  if (pen_.clear) {
    // Without an outline GDI leaves the last row and column unfilled; the
    // shape still covers its whole size.
    r.width += 1;
    r.height += 1;
  } else {
    pen.Reset(CreatePen(PS_INSIDEFRAME, Parent().Scaled(pen_.width), ToColorRef(pen_.color)));
    penObject = pen.Get();
  }
  if (!brush_.clear) {
    brush = CreateSolidBrushOf(brush_.color);
    brushObject = brush.Get();
  }
  SelectedObject selectedPen(dc, penObject);
  SelectedObject selectedBrush(dc, brushObject);
  switch (kind_) {
    case ShapeKind::kRectangle:
      Rectangle(dc, r.left, r.top, r.Right(), r.Bottom());
      break;
    case ShapeKind::kRoundRect:
      RoundRect(dc, r.left, r.top, r.Right(), r.Bottom(), figure.corner.width, figure.corner.height);
      break;
    case ShapeKind::kEllipse:
    case ShapeKind::kCircle:
      Ellipse(dc, r.left, r.top, r.Right(), r.Bottom());
      break;
  }
}

Bevel::Bevel(Container& parent, const BevelProps& props)
    : GraphicControl(parent, props.bounds, props.visible, true, props.dock, Cursor::kDefault),
      shape_(props.shape),
      style_(props.style) {}

void Bevel::Paint(HDC dc) {
  const bool lowered = style_ == BevelStyle::kLowered;
  const Color first = lowered ? colors::kBtnShadow : colors::kBtnHighlight;
  const Color second = lowered ? colors::kBtnHighlight : colors::kBtnShadow;
  const Rect b = Bounds();
  switch (shape_) {
    case BevelShape::kTopLine:
      FillSolid(dc, {b.left, b.top, b.width, 1}, first);
      FillSolid(dc, {b.left, b.top + 1, b.width, 1}, second);
      break;
    case BevelShape::kBottomLine:
      FillSolid(dc, {b.left, b.Bottom() - 2, b.width, 1}, first);
      FillSolid(dc, {b.left, b.Bottom() - 1, b.width, 1}, second);
      break;
    case BevelShape::kLeftLine:
      FillSolid(dc, {b.left, b.top, 1, b.height}, first);
      FillSolid(dc, {b.left + 1, b.top, 1, b.height}, second);
      break;
    case BevelShape::kRightLine:
      FillSolid(dc, {b.Right() - 2, b.top, 1, b.height}, first);
      FillSolid(dc, {b.Right() - 1, b.top, 1, b.height}, second);
      break;
    case BevelShape::kBox:
      FillSolid(dc, {b.left, b.top, b.width, 1}, first);
      FillSolid(dc, {b.left, b.top, 1, b.height}, first);
      FillSolid(dc, {b.left, b.Bottom() - 1, b.width, 1}, second);
      FillSolid(dc, {b.Right() - 1, b.top, 1, b.height}, second);
      break;
  }
}

GlyphButton::GlyphButton(Container& parent, const GlyphButtonProps& props)
    : GraphicControl(parent, props.bounds, props.visible, props.enabled, Dock::kNone, Cursor::kDefault),
      caption_(props.caption),
      hint_(props.hint),
      font_(props.font.value_or(parent.Font())),
      hfont_(CreateFontFrom(font_, parent.Dpi())) {
  UpdateTip();
}

void GlyphButton::DpiChanged() {
  hfont_ = CreateFontFrom(font_, Parent().Dpi());
  GraphicControl::DpiChanged();
  Invalidate();
}

GlyphButton::~GlyphButton() {
  Parent().RemoveTip(this);
}

void GlyphButton::UpdateTip() {
  if (hint_.empty() || !Visible())
    Parent().RemoveTip(this);
  else
    Parent().SetTip(this, Bounds(), hint_);
}

void GlyphButton::BoundsChanged(const Rect& old) {
  GraphicControl::BoundsChanged(old);
  UpdateTip();
}

void GlyphButton::VisibleChanged() {
  GraphicControl::VisibleChanged();
  UpdateTip();
}

void GlyphButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  Invalidate();
}

void GlyphButton::SetGlyph(UniqueBitmap glyph) {
  glyph_ = std::move(glyph);
  Invalidate();
}

void GlyphButton::SetDown(bool down) {
  if (down == down_) return;
  down_ = down;
  Invalidate();
}

void GlyphButton::MouseDown(const MouseEvent& event) {
  if (event.button == MouseButton::kLeft) SetDown(true);
  GraphicControl::MouseDown(event);
}

void GlyphButton::MouseMove(const MouseEvent& event) {
  if (event.shift.left) SetDown(Rect{0, 0, Width(), Height()}.Contains({event.x, event.y}));
  GraphicControl::MouseMove(event);
}

void GlyphButton::MouseUp(const MouseEvent& event) {
  if (event.button == MouseButton::kLeft) SetDown(false);
  GraphicControl::MouseUp(event);
}

void GlyphButton::Paint(HDC dc) {
  RECT frame = ToRECT(Bounds());
  DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (down_ ? DFCS_PUSHED : 0));
  SelectedObject font(dc, hfont_.Get());
  SIZE text{0, 0};
  const std::wstring caption = Utf8ToWide(caption_);
  if (!caption.empty()) GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
  // The glyph is drawn for the layout and shown at the container's DPI.
  const Size drawn = BitmapSize(glyph_.Get());
  const Size glyph{Parent().Scaled(drawn.width), Parent().Scaled(drawn.height)};
  const int gap = glyph.width > 0 && text.cx > 0 ? Parent().Scaled(4) : 0;
  const int shift = down_ ? 1 : 0;
  int x = Left() + (Width() - (glyph.width + gap + text.cx)) / 2 + shift;
  if (glyph_) {
    DrawPicture(dc, glyph_.Get(), drawn,
                {x, Top() + (Height() - glyph.height) / 2 + shift, glyph.width, glyph.height}, true);
    x += glyph.width + gap;
  }
  if (!caption_.empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(Enabled() ? font_.color : colors::kGrayText));
    TextOutW(dc, x, Top() + (Height() - text.cy) / 2 + shift, caption.c_str(), static_cast<int>(caption.size()));
  }
}

}  // namespace velmora
