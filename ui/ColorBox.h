#pragma once
// A drop-down list of colours, each item a swatch with its identifier text
// (clBlack ...), drawn by the control's container.
#include <span>
#include <vector>

#include "ui/Container.h"
#include "ui/SystemControls.h"

namespace velmora {

struct ColorBoxProps {
  Rect bounds{};  // the height is that of the closed box
  std::span<const NamedColor> colors{};
  int itemIndex = 0;
  int itemHeight = 16;
  int dropDownCount = 8;
  std::optional<FontInfo> font{};
  Color color = colors::kWindow;  // background of the box and its list
  bool visible = true;
  bool enabled = true;
};

class ColorBox : public SystemControl {
 public:
  ColorBox(Container& parent, const ColorBoxProps& props);

  void SetColors(std::span<const NamedColor> colors);
  int Count() const { return static_cast<int>(colors_.size()); }
  std::string ItemText(int index) const;
  Color ItemColor(int index) const;

  int ItemIndex() const;
  // Selects an item without raising the change event; the caller runs the
  // change handler itself where it wants one.
  void SetItemIndex(int index);
  // The selected colour; black when nothing is selected.
  Color Selected() const;
  // The user's choice of another item.
  void OnChange(Handler handler) { onChange_ = std::move(handler); }

  bool HandleCommand(WORD code) override;
  bool HandleDrawItem(const DRAWITEMSTRUCT& item) override;
  bool HandleMeasureItem(MEASUREITEMSTRUCT& item) override;
  void DpiChanged() override;

 private:
  int ItemHeight() const { return Parent().Scaled(itemHeight_); }
  void ApplyItemHeight();

  std::vector<NamedColor> colors_;
  int itemHeight_;  // 96-DPI pixels
  Handler onChange_;
};

}  // namespace velmora
