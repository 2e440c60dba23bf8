#include "ui/Color.h"

#include <array>

namespace velmora {
namespace {

using namespace colors;

constexpr std::array<NamedColor, 50> kNamed = {{
    {"clBlack", kBlack},
    {"clMaroon", kMaroon},
    {"clGreen", kGreen},
    {"clOlive", kOlive},
    {"clNavy", kNavy},
    {"clPurple", kPurple},
    {"clTeal", kTeal},
    {"clGray", kGray},
    {"clSilver", kSilver},
    {"clRed", kRed},
    {"clLime", kLime},
    {"clYellow", kYellow},
    {"clBlue", kBlue},
    {"clFuchsia", kFuchsia},
    {"clAqua", kAqua},
    {"clWhite", kWhite},
    {"clMoneyGreen", kMoneyGreen},
    {"clSkyBlue", kSkyBlue},
    {"clCream", kCream},
    {"clMedGray", kMedGray},
    {"clActiveBorder", kActiveBorder},
    {"clActiveCaption", kActiveCaption},
    {"clAppWorkSpace", kAppWorkSpace},
    {"clBackground", kBackground},
    {"clBtnFace", kBtnFace},
    {"clBtnHighlight", kBtnHighlight},
    {"clBtnShadow", kBtnShadow},
    {"clBtnText", kBtnText},
    {"clCaptionText", kCaptionText},
    {"clGradientActiveCaption", kGradientActiveCaption},
    {"clGradientInactiveCaption", kGradientInactiveCaption},
    {"clGrayText", kGrayText},
    {"clHighlight", kHighlight},
    {"clHighlightText", kHighlightText},
    {"clHotLight", kHotLight},
    {"clInactiveBorder", kInactiveBorder},
    {"clInactiveCaption", kInactiveCaption},
    {"clInactiveCaptionText", kInactiveCaptionText},
    {"clInfoBk", kInfoBk},
    {"clInfoText", kInfoText},
    {"clMenu", kMenu},
    {"clMenuBar", kMenuBar},
    {"clMenuHighlight", kMenuHighlight},
    {"clMenuText", kMenuText},
    {"clScrollBar", kScrollBar},
    {"cl3DDkShadow", k3DDkShadow},
    {"cl3DLight", k3DLight},
    {"clWindow", kWindow},
    {"clWindowFrame", kWindowFrame},
    {"clWindowText", kWindowText},
}};

}  // namespace

bool IsSystemColor(Color color) {
  return (color & 0xFF000000u) == 0xFF000000u;
}

Color ResolveColor(Color color, const std::function<Color(int)>& systemColor) {
  if (IsSystemColor(color)) return systemColor(static_cast<int>(color & 0xFF)) & 0x00FFFFFFu;
  // Other high bytes have no meaning to the program; only the RGB part is drawn.
  return color & 0x00FFFFFFu;
}

std::span<const NamedColor> NamedColors() {
  return kNamed;
}

std::optional<Color> ColorFromName(std::string_view name) {
  for (const auto& c : kNamed)
    if (c.name == name) return c.value;
  return std::nullopt;
}

std::optional<std::string_view> NameOfColor(Color color) {
  for (const auto& c : kNamed)
    if (c.value == color) return c.name;
  return std::nullopt;
}

}  // namespace velmora
