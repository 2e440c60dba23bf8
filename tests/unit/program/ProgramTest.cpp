#include <gtest/gtest.h>

#include "program/Program.h"

namespace velmora {
namespace {

TEST(WorkDirectory, CurrentDirectoryWhenItHoldsTheProgram) {
  EXPECT_EQ(FindWorkDirectory("C:\\Velmora", true, "", "\"D:\\Other\\KVX.exe\"", ""), "C:\\Velmora\\");
  // A drive root already ends with a backslash; the directory then ends with two.
  EXPECT_EQ(FindWorkDirectory("C:\\", true, "", "", ""), "C:\\\\");
}

TEST(WorkDirectory, RunValueOtherwiseUsersFirstQuotesStripped) {
  EXPECT_EQ(
      FindWorkDirectory("C:\\Windows\\system32", false, "", "\"C:\\Program Files\\Velmora\\KVX.exe\"", ""),
      "C:\\Program Files\\Velmora\\");
  EXPECT_EQ(FindWorkDirectory("C:\\Windows", false, "", "C:\\Users\\Ann\\KVX.exe", "C:\\Old\\KVX.exe"),
            "C:\\Users\\Ann\\");
  EXPECT_EQ(FindWorkDirectory("C:\\Windows", false, "", "", "C:\\Old\\KVX.exe"), "C:\\Old\\");
  EXPECT_EQ(FindWorkDirectory("C:\\Windows", false, "", "", ""), "");
}

TEST(WorkDirectory, ElsewhereTheProgramsOwnFolderWhateverTheRunValueSays) {
  // Started by its full path from a command prompt, a shortcut or a task, with no Run value.
  EXPECT_EQ(FindWorkDirectory("C:\\Users\\Ann", false, "D:\\Tools\\Velmora\\KVX.exe", "", ""),
            "D:\\Tools\\Velmora\\");
  // A Run value left by a copy elsewhere does not take this copy to that folder.
  EXPECT_EQ(FindWorkDirectory("C:\\Windows", false, "D:\\New\\KVX.exe", "\"C:\\Old\\KVX.exe\"",
                              "C:\\Old2\\KVX.exe"),
            "D:\\New\\");
  // The current directory that holds the program still comes first.
  EXPECT_EQ(FindWorkDirectory("C:\\Velmora", true, "D:\\New\\KVX.exe", "", ""), "C:\\Velmora\\");
}

TEST(WorkDirectory, RunValueQuotesThePathAndReadsBack) {
  const std::string value = RunValueFor("C:\\Program Files\\Velmora\\");
  EXPECT_EQ(value, "\"C:\\Program Files\\Velmora\\KVX.exe\"");
  EXPECT_EQ(FindWorkDirectory("C:\\", false, "", value, ""), "C:\\Program Files\\Velmora\\");
  EXPECT_EQ(StripQuotes("\""), "\"");
  EXPECT_EQ(StripQuotes("\"\""), "");
  EXPECT_EQ(StripQuotes("a\"b"), "a\"b");
}

TEST(WorkDirectory, OneInstanceMutexPerFolderHoweverItIsSpelt) {
  const std::string name = InstanceMutexName("C:\\Users\\Ann\\Velmora\\");
  EXPECT_EQ(name.rfind("Local\\Velmora-", 0), 0u);
  EXPECT_EQ(name.size(), std::string("Local\\Velmora-").size() + 16);
  EXPECT_EQ(InstanceMutexName("c:\\users\\ann\\velmora"), name);
  EXPECT_EQ(InstanceMutexName("C:/Users/Ann/Velmora/"), name);
  EXPECT_NE(InstanceMutexName("C:\\Users\\Ann\\Velmora2\\"), name);
  EXPECT_NE(InstanceMutexName("D:\\Users\\Ann\\Velmora\\"), name);
  // Long paths give names of the same length, within the system's limit.
  EXPECT_EQ(InstanceMutexName(std::string(2000, 'x')).size(), name.size());
}

}  // namespace
}  // namespace velmora
