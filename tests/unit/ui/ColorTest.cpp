#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ui/Color.h"
#include "winbase/ErrorText.h"

namespace velmora {
namespace {

TEST(Color, SystemColoursAreResolvedByTheirNumberAndOthersKeepTheirRgb) {
  std::set<int> asked;
  auto lookup = [&](int number) -> Color {
    asked.insert(number);
    return 0xAB000000u | static_cast<Color>(number) * 0x010101u;  // a stray high byte is dropped
  };
  EXPECT_EQ(ResolveColor(colors::kWindowText, lookup), 0x080808u);
  EXPECT_EQ(ResolveColor(colors::kBtnFace, lookup), 0x0F0F0Fu);
  EXPECT_EQ(asked, (std::set<int>{8, 15}));
  EXPECT_EQ(ResolveColor(colors::kSkyBlue, lookup), 0xF0CAA6u);
  EXPECT_EQ(ResolveColor(0x12BC614Eu, lookup), 0xBC614Eu);
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_TRUE(IsSystemColor(0xFF000008u));
  EXPECT_FALSE(IsSystemColor(0x00FFFFFFu));
  EXPECT_FALSE(IsSystemColor(0x80000008u));
}

TEST(Color, NamedColoursComeInColourBoxOrderWithTheirValues) {
  const auto named = NamedColors();
  ASSERT_EQ(named.size(), 50u);
  const char* brush[] = {"clBlack",  "clMaroon",     "clGreen",   "clOlive",   "clNavy",
                         "clPurple", "clTeal",       "clGray",    "clSilver",  "clRed",
                         "clLime",   "clYellow",     "clBlue",    "clFuchsia", "clAqua",
                         "clWhite",  "clMoneyGreen", "clSkyBlue", "clCream",   "clMedGray"};
  for (int i = 0; i < kStandardAndExtendedCount; ++i) EXPECT_EQ(named[i].name, brush[i]) << i;
  EXPECT_EQ(named[20].name, "clActiveBorder");
  EXPECT_EQ(named[38].name, "clInfoBk");
  EXPECT_EQ(named[49].name, "clWindowText");
  EXPECT_EQ(named[49].value, 0xFF000008u);
  EXPECT_EQ(named[9].value, 0x0000FFu);                  // clRed
  EXPECT_EQ(named[12].value, 0xFF0000u);                 // clBlue
  EXPECT_EQ(*ColorFromName("clMoneyGreen"), 0xC0DCC0u);  // red C0, green DC, blue C0
  EXPECT_EQ(*ColorFromName("clCream"), 0xF0FBFFu);
  EXPECT_EQ(*ColorFromName("clMedGray"), 0xA4A0A0u);
  EXPECT_EQ(*ColorFromName("clHotLight"), 0xFF00001Au);
  EXPECT_EQ(*ColorFromName("clMenuBar"), 0xFF00001Eu);
  // Every name and value is unique, so a value finds its identifier back.
  std::set<Color> values;
  for (const auto& c : named) {
    EXPECT_EQ(NameOfColor(c.value), c.name);
    values.insert(c.value);
  }
  EXPECT_EQ(values.size(), 50u);
  EXPECT_FALSE(ColorFromName("clred"));
  EXPECT_FALSE(NameOfColor(0xBC614Eu));  // the key colour is no named colour
}

TEST(ErrorText, AFullStopIsAppendedOnlyWhenTheMessageLacksOne) {
  EXPECT_EQ(ErrorBoxText("File not found"), "File not found.");
  EXPECT_EQ(ErrorBoxText("JPEG error #53"), "JPEG error #53.");
  EXPECT_EQ(ErrorBoxText("Cannot open file \"C:\\x.jpg\". Access is denied."),
            "Cannot open file \"C:\\x.jpg\". Access is denied.");
  EXPECT_EQ(ErrorBoxText("Select wallpapers first!"), "Select wallpapers first!.");
  EXPECT_EQ(ErrorBoxText("'1a' is not a valid integer value"), "'1a' is not a valid integer value.");
  EXPECT_EQ(ErrorBoxText(""), ".");
}

}  // namespace
}  // namespace velmora
