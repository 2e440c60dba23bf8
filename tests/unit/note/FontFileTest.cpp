#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/Errors.h"
#include "note/FontFile.h"
#include "tests/unit/TestSupport.h"

namespace velmora {
namespace {

constexpr FontStyles kAll{.bold = true, .italic = true, .underline = true, .strikeOut = true};

// The message of the error that reading `text` as font.typ raises, with what was applied before it.
std::string ReadError(const std::string& text, NoteFont& font) {
  test::ScratchDir dir;
  test::WriteFile(dir / kFontFileName, text);
  try {
    ReadFontFile(dir / kFontFileName, font);
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(FontFile, TheDesignFontIsWrittenAsItsFiveLinesAndReadBack) {
  EXPECT_EQ(FontFileText(NoteFont{}), "10\r\nMS Sans Serif\r\n1\r\n-16777208\r\n0\r\n");

  test::ScratchDir dir;
  const std::string path = dir / kFontFileName;
  NoteFont font{.size = 24, .name = "Arial", .charset = 204, .color = colors::kRed, .style = kAll};
  test::WriteFile(path, FontFileText(NoteFont{}));
  ReadFontFile(path, font);
  EXPECT_EQ(font, NoteFont{});
}

TEST(FontFile, WriteThenReadRestoresEveryValueOfTheTable) {
  test::ScratchDir dir;
  const std::string path = dir / kFontFileName;
  for (int code = 0; code <= 15; ++code) {
    SCOPED_TRACE(code);
    const NoteFont written{.size = 7 + code,
                           .name = "Times New Roman",
                           .charset = 255,
                           .color = code % 2 ? colors::kInfoBk : colors::Rgb(1, 2, 3),
                           .style = StylesOfCode(code)};
    WriteFontFile(path, written);
    NoteFont read;
    ReadFontFile(path, read);
    EXPECT_EQ(read, written);
  }
  WriteFontFile(path, {.color = colors::kRed});
  EXPECT_EQ(test::ReadFile(path), "10\r\nMS Sans Serif\r\n1\r\n255\r\n0\r\n");
}

TEST(FontFile, StyleCodesFollowTheTableBothWays) {
  const FontStyles none{}, b{.bold = true}, i{.italic = true}, u{.underline = true}, s{.strikeOut = true};
  const FontStyles table[] = {
      none,
      s,
      u,
      i,
      b,
      {.underline = true, .strikeOut = true},
      {.italic = true, .underline = true},
      {.bold = true, .italic = true},
      {.italic = true, .underline = true, .strikeOut = true},
      {.bold = true, .italic = true, .underline = true},
      kAll,
  };
  for (int code = 0; code <= 10; ++code) {
    SCOPED_TRACE(code);
    EXPECT_EQ(StylesOfCode(code), table[code]);
    EXPECT_EQ(StyleCode(table[code]), code);
  }
  // The five sets the old table lacks have codes of their own, read back whole.
  const FontStyles added[] = {
      {.bold = true, .underline = true},
      {.bold = true, .strikeOut = true},
      {.italic = true, .strikeOut = true},
      {.bold = true, .italic = true, .strikeOut = true},
      {.bold = true, .underline = true, .strikeOut = true},
  };
  for (int code = 11; code <= 15; ++code) {
    SCOPED_TRACE(code);
    const FontStyles& style = added[code - 11];
    EXPECT_EQ(StyleCode(style), code);
    EXPECT_EQ(StylesOfCode(code), style);
    EXPECT_EQ(StylesFromLine(std::to_string(code), kAll), style);
  }
  // All sixteen sets have distinct codes.
  std::set<int> codes;
  for (int bits = 0; bits < 16; ++bits)
    codes.insert(StyleCode({.bold = (bits & 1) != 0,
                            .italic = (bits & 2) != 0,
                            .underline = (bits & 4) != 0,
                            .strikeOut = (bits & 8) != 0}));
  EXPECT_EQ(codes.size(), 16u);
}

TEST(FontFile, TheStyleLineIsReadByItsFirstCharacterAndTheWholeLineTen) {
  const FontStyles before{.underline = true};
  EXPECT_EQ(StylesFromLine("10", before), kAll);
  EXPECT_EQ(StylesFromLine("7", before), (FontStyles{.bold = true, .italic = true}));
  EXPECT_EQ(StylesFromLine("0", before), FontStyles{});
  EXPECT_EQ(StylesFromLine("42", before), (FontStyles{.bold = true}));
  EXPECT_EQ(StylesFromLine("1 0", before), (FontStyles{.strikeOut = true}));
  EXPECT_EQ(StylesFromLine("10 ", before), (FontStyles{.strikeOut = true}));
  // Past the codes: the first character alone counts.
  EXPECT_EQ(StylesFromLine("16", before), (FontStyles{.strikeOut = true}));
  EXPECT_EQ(StylesFromLine("011", before), FontStyles{});
  // No digit first: the style stays as it was.
  EXPECT_EQ(StylesFromLine("bold", before), before);
  EXPECT_EQ(StylesFromLine(" 4", before), before);
  EXPECT_EQ(StylesFromLine("", before), before);
}

TEST(FontFile, ColoursAreReadAsIdentifiersOrIntegers) {
  EXPECT_EQ(ColorFromText("clRed"), colors::kRed);
  EXPECT_EQ(ColorFromText("clInfoBk"), colors::kInfoBk);
  EXPECT_EQ(ColorFromText("cl3DDkShadow"), colors::k3DDkShadow);
  EXPECT_EQ(ColorFromText("255"), colors::kRed);
  EXPECT_EQ(ColorFromText("-16777208"), colors::kWindowText);
  EXPECT_EQ(ColorFromText("+65280"), colors::kLime);
  EXPECT_EQ(ColorText(colors::kWindowText), "-16777208");
  EXPECT_EQ(ColorText(colors::kWhite), "16777215");
  for (const char* bad : {"clred", "red", "$FF", "", " 255", "0x10"}) {
    SCOPED_TRACE(bad);
    try {
      ColorFromText(bad);
      ADD_FAILURE() << "no error";
    } catch (const ConvertError& e) {
      EXPECT_EQ(e.what(), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

TEST(FontFile, ReadingStopsAtTheFirstBadLineWithTheLinesBeforeItApplied) {
  NoteFont font;
  EXPECT_EQ(ReadError("12\r\nArial\r\nx\r\nclRed\r\n4\r\n", font), "'x' is not a valid integer value");
  EXPECT_EQ(font.size, 12);
  EXPECT_EQ(font.name, "Arial");
  EXPECT_EQ(font.charset, kDefaultCharset);
  EXPECT_EQ(font.color, colors::kWindowText);

  // A short file: lines past its end read as empty.
  font = {};
  EXPECT_EQ(ReadError("14\nCourier New\n0", font), "'' is not a valid integer value");
  EXPECT_EQ(font.size, 14);
  EXPECT_EQ(font.name, "Courier New");
  EXPECT_EQ(font.charset, 0);
  // Four lines: the missing style line keeps the style.
  font.style = {.italic = true};
  EXPECT_EQ(ReadError("9\r\nArial\r\n1\r\nclBlue\r\n", font), "(no error)");
  EXPECT_EQ(font.color, colors::kBlue);
  EXPECT_EQ(font.style, (FontStyles{.italic = true}));

  test::ScratchDir dir;
  font = {};
  try {
    ReadFontFile(dir / kFontFileName, font);
    ADD_FAILURE() << "no error";
  } catch (const InOutError& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
  EXPECT_EQ(font, NoteFont{});
}

TEST(FontFile, PointsBecomePixelsAtTheScreensResolutionAndBack) {
  const NoteFont design;
  const FontInfo at96 = ToFontInfo(design, 96);
  EXPECT_EQ(at96, (FontInfo{.name = "MS Sans Serif", .height = 13}));
  EXPECT_EQ(FromFontInfo(at96, 96), design);
  EXPECT_EQ(ToFontInfo({.size = 8}, 96).height, 11);    // 10.67
  EXPECT_EQ(ToFontInfo({.size = 10}, 120).height, 17);  // 16.67
  EXPECT_EQ(ToFontInfo({.size = 9}, 96).height, 12);
  // As the system's MulDiv, a height past the 32-bit range is -1 (a fuzzing finding).
  EXPECT_EQ(ToFontInfo({.size = 2000000000}, 96).height, -1);
  EXPECT_EQ(FromFontInfo({.height = 16}, 96).size, 12);
  EXPECT_EQ(FromFontInfo({.height = 17}, 120).size, 10);  // 10.2

  const NoteFont styled{.size = 20, .name = "Arial", .charset = 204, .color = colors::kRed, .style = kAll};
  const FontInfo info = ToFontInfo(styled, 96);
  EXPECT_TRUE(info.bold && info.italic && info.underline && info.strikeOut);
  EXPECT_EQ(info.charset, 204);
  EXPECT_EQ(FromFontInfo(info, 96), styled);
}

}  // namespace
}  // namespace velmora
