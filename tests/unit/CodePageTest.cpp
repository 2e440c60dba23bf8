#include <gtest/gtest.h>

#include "base/CodePage.h"

namespace velmora {
namespace {

// "Pétr" and friends in Windows-1252 and in UTF-8.
constexpr std::string_view kAnsi = "C:\\Bilder\\P\xE9tr \x80 \x9C.jpg";
constexpr std::string_view kUtf8 = "C:\\Bilder\\P\xC3\xA9tr \xE2\x82\xAC \xC5\x93.jpg";
// "Пётр 李 ☀": no Western code page writes these.
constexpr std::string_view kCyrillicChineseSun = "\xD0\x9F\xD1\x91\xD1\x82\xD1\x80 \xE6\x9D\x8E \xE2\x98\x80";

TEST(CodePage, AnsiTextGoesToUtf8AndBackUnchanged) {
  EXPECT_EQ(AnsiToUtf8(kAnsi), kUtf8);
  EXPECT_EQ(Utf8ToAnsi(kUtf8), std::string(kAnsi));
  EXPECT_EQ(Utf8ToAnsi("plain\r\n"), "plain\r\n");
  EXPECT_EQ(Utf8ToAnsi(""), "");
  EXPECT_EQ(Utf8ToAnsi(kCyrillicChineseSun), std::nullopt);
  EXPECT_EQ(Utf8ToAnsi("\xFF\xFE"), std::nullopt);  // not UTF-8 at all
}

TEST(CodePage, FilesStayAnsiWhenTheyFitAndOtherwiseCarryTheMark) {
  const std::string western = std::string(kUtf8) + "\r\n";
  EXPECT_EQ(EncodeTextFile(western), std::string(kAnsi) + "\r\n");  // as an older version wrote it
  EXPECT_EQ(DecodeTextFile(EncodeTextFile(western)), western);

  const std::string eastern = std::string("C:\\") + std::string(kCyrillicChineseSun) + "\\a.jpg\r\n";
  const std::string bytes = EncodeTextFile(eastern);
  EXPECT_EQ(bytes, std::string(kUtf8Bom) + eastern);
  EXPECT_EQ(DecodeTextFile(bytes), eastern);
  // A file of an older version reads as before, a mark alone as empty text.
  EXPECT_EQ(DecodeTextFile(kAnsi), kUtf8);
  EXPECT_EQ(DecodeTextFile(kUtf8Bom), "");
}

}  // namespace
}  // namespace velmora
