#include "ui/Panels.h"

#include "base/CodePage.h"
#include "ui/Gdi.h"

namespace velmora {
namespace {

WindowCreation ChildCreation(const char* className, Container& parent, const Rect& bounds, bool visible,
                             int id) {
  return {.className = className,
          .style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0u),
          .exStyle = WS_EX_CONTROLPARENT | WS_EX_NOPARENTNOTIFY,
          .bounds = bounds,
          .parent = parent.Handle(),
          .id = id};
}

// A one-pixel frame, lighter at the top and left for a raised look.
void Frame(HDC dc, Rect& r, PanelBevel bevel) {
  if (bevel == PanelBevel::kNone) return;
  const Color topLeft = bevel == PanelBevel::kRaised ? colors::kBtnHighlight : colors::kBtnShadow;
  const Color bottomRight = bevel == PanelBevel::kRaised ? colors::kBtnShadow : colors::kBtnHighlight;
  FillSolid(dc, {r.left, r.top, r.width, 1}, topLeft);
  FillSolid(dc, {r.left, r.top, 1, r.height}, topLeft);
  FillSolid(dc, {r.left, r.Bottom() - 1, r.width, 1}, bottomRight);
  FillSolid(dc, {r.Right() - 1, r.top, 1, r.height}, bottomRight);
  r = {r.left + 1, r.top + 1, r.width - 2, r.height - 2};
}

}  // namespace

Panel::Panel(Container& parent, const PanelProps& p)
    : WindowedControl(parent, p.bounds, p.visible, p.enabled, p.dock),
      Container(p.color.value_or(parent.GetColor()), p.font.value_or(parent.Font())),
      caption_(p.caption),
      bevelOuter_(p.bevelOuter),
      bevelInner_(p.bevelInner),
      hfont_(CreateFontFrom(Font(), parent.Dpi())) {
  SetDpi(parent.Dpi());
  const int id = NewControlId();
  Create(ChildCreation("TPanel", parent, Bounds(), p.visible, id));
  Attach(Handle(), id);
}

void Panel::DpiChanged() {
  hfont_ = CreateFontFrom(Font(), WindowedControl::Parent().Dpi());
  WindowedControl::DpiChanged();
  ApplyDpi(WindowedControl::Parent().Dpi());
  Invalidate();
}

void Panel::SetCaption(const std::string& caption) {
  caption_ = caption;
  Invalidate();
}

void Panel::PaintBackground(HDC dc, const Rect& area) {
  Container::PaintBackground(dc, area);
  const Size client = ClientSize();
  Rect r{0, 0, client.width, client.height};
  Frame(dc, r, bevelOuter_);
  Frame(dc, r, bevelInner_);
  if (caption_.empty()) return;
  SelectedObject font(dc, hfont_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(Font().color));
  RECT text = ToRECT(r);
  const std::wstring caption = Utf8ToWide(caption_);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

GroupBox::GroupBox(Container& parent, const GroupBoxProps& p)
    : WindowedControl(parent, p.bounds, p.visible, p.enabled, Dock::kNone),
      Container(p.color.value_or(parent.GetColor()), p.font.value_or(parent.Font())),
      caption_(p.caption),
      hfont_(CreateFontFrom(Font(), parent.Dpi())) {
  SetDpi(parent.Dpi());
  const int id = NewControlId();
  Create(ChildCreation("TGroupBox", parent, Bounds(), p.visible, id));
  Attach(Handle(), id);
}

void GroupBox::DpiChanged() {
  hfont_ = CreateFontFrom(Font(), WindowedControl::Parent().Dpi());
  WindowedControl::DpiChanged();
  ApplyDpi(WindowedControl::Parent().Dpi());
  Invalidate();
}

void GroupBox::PaintBackground(HDC dc, const Rect& area) {
  Container::PaintBackground(dc, area);
  const Size client = ClientSize();
  SelectedObject font(dc, hfont_.Get());
  SIZE text{0, 0};
  const std::wstring caption = caption_.empty() ? std::wstring(L" ") : Utf8ToWide(caption_);
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
  // An etched frame whose top runs through the middle of the caption's line.
  RECT frame{0, text.cy / 2, client.width, client.height};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (caption_.empty()) return;
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, ToColorRef(GetColor()));
  SetTextColor(dc, ToColorRef(Enabled() ? Font().color : colors::kGrayText));
  TextOutW(dc, Scaled(8), 0, caption.c_str(), static_cast<int>(caption.size()));
}

}  // namespace velmora
