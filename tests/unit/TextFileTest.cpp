#include <gtest/gtest.h>

#include "TestSupport.h"
#include "base/Errors.h"
#include "base/TextFile.h"

namespace velmora {
namespace {

TEST(LineReader, EndsLinesAtLineFeedOrEndAndDropsCarriageReturns) {
  LineReader in("one\r\ntwo\nth\rree\r\r\n\nlast");
  EXPECT_EQ(in.Next(), "one");
  EXPECT_EQ(in.Next(), "two");
  EXPECT_EQ(in.Next(), "three");  // a lone CR inside a line is dropped
  EXPECT_EQ(in.Next(), "");
  EXPECT_FALSE(in.AtEnd());
  EXPECT_EQ(in.Next(), "last");  // no line feed at the end of the file
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(in.Next(), "");  // past the end: empty, as often as asked
  EXPECT_EQ(in.Next(), "");
}

TEST(LineReader, KeepsLongLinesAndEightBitCharactersWhole) {
  const std::string longLine(100000, 'x');
  LineReader in(longLine + "\r\nC:\\Bilder\\\xC4pfel.jpg\r\n");
  EXPECT_EQ(in.Next(), longLine);
  EXPECT_EQ(in.Next(), "C:\\Bilder\\\xC4pfel.jpg");
  EXPECT_TRUE(in.AtEnd());
}

TEST(TextLines, SplitAndJoinRoundTrip) {
  const std::vector<std::string> lines{"a", "", "c d"};
  EXPECT_EQ(JoinLinesCrLf(lines), "a\r\n\r\nc d\r\n");
  EXPECT_EQ(SplitLines(JoinLinesCrLf(lines)), lines);
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_EQ(SplitLines("x"), std::vector<std::string>{"x"});
}

TEST(StrToInt, AcceptsOnlySignedDecimalIntegers) {
  EXPECT_EQ(StrToInt("0"), 0);
  EXPECT_EQ(StrToInt("192"), 192);
  EXPECT_EQ(StrToInt("-1"), -1);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("007"), 7);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);

  for (const char* bad : {"", " 1", "1 ", "-", "+", "1.5", "0x10", "$10", "12a", "--1", "2147483648",
                          "-2147483649", "99999999999999999999"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const ConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

TEST(ReadFileBytes, ReadsExactBytesAndReportsAMissingFile) {
  test::ScratchDir dir;
  test::WriteFile(dir / "a.txt", std::string("x\0y\r\n", 5));
  EXPECT_EQ(ReadFileBytes(dir / "a.txt"), std::string("x\0y\r\n", 5));
  try {
    ReadFileBytes(dir / "missing.ini");
    FAIL();
  } catch (const InOutError& e) {
    EXPECT_STREQ(e.what(), "File not found");
    EXPECT_EQ(e.Code(), 2);
  }
}

TEST(InOutError, MessagesOfTheRuntime) {
  EXPECT_STREQ(InOutError(2).what(), "File not found");
  EXPECT_STREQ(InOutError(3).what(), "Invalid filename");
  EXPECT_STREQ(InOutError(4).what(), "Too many open files");
  EXPECT_STREQ(InOutError(5).what(), "File access denied");
  EXPECT_STREQ(InOutError(101).what(), "Disk full");
  EXPECT_STREQ(InOutError(1117).what(), "I/O error 1117");
}

}  // namespace
}  // namespace velmora
