#include "ui/ColorBox.h"

#include "base/CodePage.h"
#include "ui/Gdi.h"

namespace velmora {

ColorBox::ColorBox(Container& parent, const ColorBoxProps& p)
    : SystemControl(
          parent, {.className = "COMBOBOX",
                   .style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                   .bounds = p.bounds,
                   .windowHeight = p.bounds.height + p.dropDownCount * p.itemHeight + 2,
                   .font = p.font,
                   .color = p.color,
                   .visible = p.visible,
                   .enabled = p.enabled}),
      itemHeight_(p.itemHeight) {
  ApplyItemHeight();
  SetColors(p.colors);
  SetItemIndex(p.itemIndex);
}

void ColorBox::SetColors(std::span<const NamedColor> colors) {
  colors_.assign(colors.begin(), colors.end());
  Send(CB_RESETCONTENT);
  for (const auto& c : colors_) {
    const std::wstring name = Utf8ToWide(c.name);
    Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
}

std::string ColorBox::ItemText(int index) const {
  if (index < 0 || index >= Count()) return {};
  return std::string(colors_[static_cast<size_t>(index)].name);
}

Color ColorBox::ItemColor(int index) const {
  if (index < 0 || index >= Count()) return colors::kBlack;
  return colors_[static_cast<size_t>(index)].value;
}

int ColorBox::ItemIndex() const {
  return static_cast<int>(Send(CB_GETCURSEL));
}

void ColorBox::SetItemIndex(int index) {
  Send(CB_SETCURSEL, static_cast<WPARAM>(index));
}

Color ColorBox::Selected() const {
  return ItemColor(ItemIndex());
}

bool ColorBox::HandleCommand(WORD code) {
  if (code != CBN_SELCHANGE) return false;
  if (onChange_) onChange_();
  return true;
}

void ColorBox::ApplyItemHeight() {
  // The closed box's field and the list's rows both take the layout's item height.
  Send(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), ItemHeight());
  Send(CB_SETITEMHEIGHT, 0, ItemHeight());
}

bool ColorBox::HandleMeasureItem(MEASUREITEMSTRUCT& item) {
  item.itemHeight = static_cast<UINT>(ItemHeight());
  return true;
}

void ColorBox::DpiChanged() {
  SystemControl::DpiChanged();
  ApplyItemHeight();
}

bool ColorBox::HandleDrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const Rect r = FromRECT(item.rcItem);
  const bool selected = item.itemState & ODS_SELECTED;
  // The closed box shows the selection in the box's own colours.
  const bool highlighted = selected && !(item.itemState & ODS_COMBOBOXEDIT);
  FillSolid(dc, r, highlighted ? colors::kHighlight : GetColor());
  if (item.itemID == static_cast<UINT>(-1) || static_cast<int>(item.itemID) >= Count()) return true;
  const int index = static_cast<int>(item.itemID);

  // A swatch as high as the row less a pixel each side, framed in black.
  const int side = r.height - 2;
  const Rect swatch{r.left + 1, r.top + 1, side + side / 2, side};
  FillSolid(dc, swatch, colors::kBlack);
  FillSolid(dc, {swatch.left + 1, swatch.top + 1, swatch.width - 2, swatch.height - 2}, ItemColor(index));

  SelectedObject selectedFont(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(highlighted ? colors::kHighlightText : Font().color));
  const int gap = Parent().Scaled(4);
  RECT text = ToRECT({swatch.Right() + gap, r.top, r.Right() - swatch.Right() - gap, r.height});
  const std::wstring name = Utf8ToWide(ItemText(index));
  DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    const RECT focus = item.rcItem;
    DrawFocusRect(dc, &focus);
  }
  return true;
}

}  // namespace velmora
