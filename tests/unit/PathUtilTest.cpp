#include <gtest/gtest.h>

#include <cstring>

#include "shellutil/PathUtil.h"

namespace velmora {
namespace {

TEST(DigitsOnly, KeepsTheAsciiDigitsInOrder) {
  EXPECT_EQ(DigitsOnly("a1b2c3"), "123");
  EXPECT_EQ(DigitsOnly("+7 (495) 123-45-67"), "74951234567");
  EXPECT_EQ(DigitsOnly("no digits"), "");
  EXPECT_EQ(DigitsOnly(""), "");
  EXPECT_EQ(DigitsOnly("\xB2\xB3\xB9 1\xBD"), "1");  // superscripts and fractions of the ANSI page are not digits
}

TEST(FileNameOf, TakesTheLastComponentWithOrWithoutItsExtension) {
  EXPECT_EQ(FileNameOf("C:\\pics\\sea.view.jpg", false), "sea.view");
  EXPECT_EQ(FileNameOf("C:\\pics\\sea.view.jpg", true), "sea.view.jpg");
  EXPECT_EQ(FileNameOf("C:\\dir.old\\readme", false), "readme");
  EXPECT_EQ(FileNameOf("C:\\dir.old\\readme", true), "readme");
  EXPECT_EQ(FileNameOf("C:\\pics\\", false), "");
  EXPECT_EQ(FileNameOf("C:\\pics\\", true), "");
  EXPECT_EQ(FileNameOf("sea.jpg", false), "sea");
  EXPECT_EQ(FileNameOf("C:/pics/sea.jpg", false), "C:/pics/sea");  // a slash separates nothing
  EXPECT_EQ(FileNameOf(".hidden", false), "");
  EXPECT_EQ(FileNameOf("", true), "");
}

TEST(DirectoryOf, KeepsThePathUpToItsLastBackslash) {
  EXPECT_EQ(DirectoryOf("C:\\pics\\sea.jpg"), "C:\\pics\\");
  EXPECT_EQ(DirectoryOf("C:\\pics\\"), "C:\\pics\\");
  EXPECT_EQ(DirectoryOf("C:\\Program Files\\Velmora\\KVX.exe"), "C:\\Program Files\\Velmora\\");
  EXPECT_EQ(DirectoryOf("sea.jpg"), "sea.jpg");
  EXPECT_EQ(DirectoryOf(""), "");
  EXPECT_EQ(DirectoryOf("C:\\"), "C:\\");
}

TEST(ToCString, GivesTheTextWithOneNulInItsOwnStorage) {
  std::string text = "mailto:info@example.com";
  const CString c = ToCString(text);
  text[0] = 'X';  // the caller's text may change; the result does not
  EXPECT_STREQ(c.get(), "mailto:info@example.com");
  EXPECT_EQ(std::strlen(c), 23u);
  EXPECT_STREQ(ToCString("").get(), "");
}

}  // namespace
}  // namespace velmora
