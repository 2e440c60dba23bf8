#pragma once
// Colour values as the program stores them: 0x00BBGGRR, or a system colour
// with high byte FF and the system colour number in the low byte.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace velmora {

using Color = std::uint32_t;

namespace colors {
constexpr Color Rgb(int r, int g, int b) {
  return static_cast<Color>(r & 0xFF) | static_cast<Color>(g & 0xFF) << 8 |
         static_cast<Color>(b & 0xFF) << 16;
}
constexpr Color System(int number) {
  return 0xFF000000u | static_cast<Color>(number & 0xFF);
}

inline constexpr Color kBlack = Rgb(0, 0, 0);
inline constexpr Color kMaroon = Rgb(128, 0, 0);
inline constexpr Color kGreen = Rgb(0, 128, 0);
inline constexpr Color kOlive = Rgb(128, 128, 0);
inline constexpr Color kNavy = Rgb(0, 0, 128);
inline constexpr Color kPurple = Rgb(128, 0, 128);
inline constexpr Color kTeal = Rgb(0, 128, 128);
inline constexpr Color kGray = Rgb(128, 128, 128);
inline constexpr Color kSilver = Rgb(192, 192, 192);
inline constexpr Color kRed = Rgb(255, 0, 0);
inline constexpr Color kLime = Rgb(0, 255, 0);
inline constexpr Color kYellow = Rgb(255, 255, 0);
inline constexpr Color kBlue = Rgb(0, 0, 255);
inline constexpr Color kFuchsia = Rgb(255, 0, 255);
inline constexpr Color kAqua = Rgb(0, 255, 255);
inline constexpr Color kWhite = Rgb(255, 255, 255);
inline constexpr Color kMoneyGreen = Rgb(192, 220, 192);
inline constexpr Color kSkyBlue = Rgb(166, 202, 240);
inline constexpr Color kCream = Rgb(255, 251, 240);
inline constexpr Color kMedGray = Rgb(160, 160, 164);

// System colours; the numbers are the platform's system colour indexes.
inline constexpr Color kScrollBar = System(0);
inline constexpr Color kBackground = System(1);
inline constexpr Color kActiveCaption = System(2);
inline constexpr Color kInactiveCaption = System(3);
inline constexpr Color kMenu = System(4);
inline constexpr Color kWindow = System(5);
inline constexpr Color kWindowFrame = System(6);
inline constexpr Color kMenuText = System(7);
inline constexpr Color kWindowText = System(8);
inline constexpr Color kCaptionText = System(9);
inline constexpr Color kActiveBorder = System(10);
inline constexpr Color kInactiveBorder = System(11);
inline constexpr Color kAppWorkSpace = System(12);
inline constexpr Color kHighlight = System(13);
inline constexpr Color kHighlightText = System(14);
inline constexpr Color kBtnFace = System(15);
inline constexpr Color kBtnShadow = System(16);
inline constexpr Color kGrayText = System(17);
inline constexpr Color kBtnText = System(18);
inline constexpr Color kInactiveCaptionText = System(19);
inline constexpr Color kBtnHighlight = System(20);
inline constexpr Color k3DDkShadow = System(21);
inline constexpr Color k3DLight = System(22);
inline constexpr Color kInfoText = System(23);
inline constexpr Color kInfoBk = System(24);
inline constexpr Color kHotLight = System(26);
inline constexpr Color kGradientActiveCaption = System(27);
inline constexpr Color kGradientInactiveCaption = System(28);
inline constexpr Color kMenuHighlight = System(29);
inline constexpr Color kMenuBar = System(30);
}  // namespace colors

bool IsSystemColor(Color color);

// The plain 0x00BBGGRR value of a colour; a system colour is looked up by its
// number, which the caller resolves (GetSysColor in the Windows layer).
Color ResolveColor(Color color, const std::function<Color(int systemNumber)>& systemColor);

// A colour with the identifier that colour boxes show and files may hold.
struct NamedColor {
  std::string_view name{};
  Color value{};
};

// Every named colour in colour-box order: the 16 standard colours, the 4
// extended ones, then the 30 system colours. The brush colour box lists the
// first kStandardAndExtendedCount of them, the note colour box all of them.
std::span<const NamedColor> NamedColors();
inline constexpr int kStandardAndExtendedCount = 20;

std::optional<Color> ColorFromName(std::string_view name);  // exact identifier, such as "clRed"
std::optional<std::string_view> NameOfColor(Color color);

}  // namespace velmora
