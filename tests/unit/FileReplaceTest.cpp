#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "base/Errors.h"
#include "base/FileReplace.h"

namespace velmora {
namespace {

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(FileReplace, CreatesAndReplacesWholeFilesLeavingNoTemporaryFile) {
  test::ScratchDir dir;
  const std::string path = dir / "kvx.ini";
  ReplaceFileContents(path, "first\r\n");
  EXPECT_EQ(test::ReadFile(path), "first\r\n");
  ReplaceFileContents(path, "2");
  EXPECT_EQ(test::ReadFile(path), "2");
  ReplaceFileContents(path, "");
  EXPECT_EQ(test::ReadFile(path), "");
  EXPECT_FALSE(test::Exists(path + ".tmp"));
}

TEST(FileReplace, AnAbandonedWriteKeepsThePreviousFile) {
  test::ScratchDir dir;
  const std::string path = dir / "2.bmp";
  test::WriteFile(path, "old drawing");
  {
    FileReplacer file(path);
    file.Write("half of a new dr");
    // Leaving the scope without Commit, as when an error is raised part-way.
  }
  EXPECT_EQ(test::ReadFile(path), "old drawing");
  EXPECT_FALSE(test::Exists(path + ".tmp"));
}

TEST(FileReplace, AFullDiskPartWayKeepsThePreviousFile) {
  test::ScratchDir dir;
  const std::string path = dir / "kvx.ini";
  test::WriteFile(path, "previous settings");
  // The temporary file lands on a device that is always full.
  ASSERT_EQ(symlink("/dev/full", (path + ".tmp").c_str()), 0);
  EXPECT_EQ(MessageOf([&] { ReplaceFileContents(path, std::string(100000, 'x')); }),
            "Cannot write file \"" + path + "\". No space left on device");
  EXPECT_EQ(test::ReadFile(path), "previous settings");
  EXPECT_FALSE(test::Exists(path + ".tmp"));
}

// What failed, the file and the system's reason, with the runtime's code.
TEST(FileReplace, ReportsTheSystemsReason) {
  test::ScratchDir dir;
  EXPECT_EQ(MessageOf([&] { ReplaceFileContents(dir / "no-such-dir/kvx.ini", "x"); }),
            "Cannot create file \"" + (dir / "no-such-dir/kvx.ini") + "\". No such file or directory");
  try {
    ReplaceFileContents(dir / "no-such-dir/kvx.ini", "x");
  } catch (const InOutError& e) {
    EXPECT_EQ(e.Code(), io::kInvalidFilename);
  }
  // A directory where the file should be cannot be replaced, and stays.
  const std::string target = dir / "target";
  ASSERT_EQ(mkdir(target.c_str(), 0755), 0);
  EXPECT_EQ(MessageOf([&] { ReplaceFileContents(target, "x"); }),
            "Cannot replace file \"" + target + "\". Is a directory");
  EXPECT_TRUE(test::Exists(target));
  EXPECT_FALSE(test::Exists(target + ".tmp"));
}

}  // namespace
}  // namespace velmora
