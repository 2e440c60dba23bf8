#include <gtest/gtest.h>

#include "ui/DialogText.h"

namespace velmora {
namespace {

using Files = std::vector<std::wstring>;

TEST(DialogText, TheFilterTakesNulsForBars) {
  EXPECT_EQ(FilterBuffer(L"JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg"),
            std::wstring(L"JPEG Image File (*.jpg)\0*.jpg\0JPEG Image File (*.jpeg)\0*.jpeg\0\0", 63));
}

TEST(DialogText, OneFileIsAFullPathSeveralADirectoryAndNames) {
  EXPECT_EQ(SplitOpenFileNames(std::wstring(L"C:\\p\\sea.jpg\0\0", 14)), Files{L"C:\\p\\sea.jpg"});
  // The dialog's order, not sorted; a name may have blanks.
  EXPECT_EQ(SplitOpenFileNames(std::wstring(L"C:\\my pics\0c.jpg\0a b.jpeg\0b.jpg\0\0", 33)),
            (Files{L"C:\\my pics\\c.jpg", L"C:\\my pics\\a b.jpeg", L"C:\\my pics\\b.jpg"}));
  // A drive root ends with its backslash already.
  EXPECT_EQ(SplitOpenFileNames(std::wstring(L"D:\\\0x.jpg\0y.jpg\0\0", 17)),
            (Files{L"D:\\x.jpg", L"D:\\y.jpg"}));
  // The rest of a large buffer after the double NUL is not looked at.
  std::wstring buffer(L"C:\\a.jpg\0\0stale\0", 16);
  buffer.resize(100, L'\0');
  EXPECT_EQ(SplitOpenFileNames(buffer), Files{L"C:\\a.jpg"});
  EXPECT_EQ(SplitOpenFileNames(std::wstring(10, L'\0')), Files{});
  EXPECT_EQ(SplitOpenFileNames(L""), Files{});
}

}  // namespace
}  // namespace velmora
