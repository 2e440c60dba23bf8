#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "base/Errors.h"
#include "base/FileReplace.h"
#include "program/Settings.h"

namespace velmora {
namespace {

std::string TempDir() {
  char buffer[MAX_PATH];
  GetTempPathA(MAX_PATH, buffer);
  std::string dir = std::string(buffer) + "velmora-test-" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(FileReplaceWin32, ReplacesAnExistingFileWhole) {
  const std::string path = TempDir() + "kvx.ini";
  ReplaceFileContents(path, "old\r\n");
  ReplaceFileContents(path, "new\r\n");
  EXPECT_EQ(Read(path), "new\r\n");
  EXPECT_FALSE(Exists(path + ".tmp"));

  Settings s;
  s.wallpaper = "C:\\Users\\Ann\\Pictures\\sea.jpg";
  SaveSettings(path, s);
  Settings back;
  LoadSettings(path, back);
  EXPECT_EQ(back, s);
  DeleteFileA(path.c_str());
}

TEST(FileReplaceWin32, AFileOpenElsewhereWithoutSharingIsNotDestroyed) {
  const std::string path = TempDir() + "2.bmp";
  ReplaceFileContents(path, "drawing");
  HANDLE locked = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  try {
    ReplaceFileContents(path, "other");
    ADD_FAILURE() << "replaced a locked file";
  } catch (const InOutError& e) {
    EXPECT_STREQ(e.what(), "File access denied");
  }
  CloseHandle(locked);
  EXPECT_EQ(Read(path), "drawing");
  EXPECT_FALSE(Exists(path + ".tmp"));
  DeleteFileA(path.c_str());
}

TEST(FileReplaceWin32, AMissingDirectoryIsAnInvalidFilename) {
  try {
    ReplaceFileContents(TempDir() + "no-such-dir\\kvx.ini", "x");
    FAIL();
  } catch (const InOutError& e) {
    EXPECT_STREQ(e.what(), "Invalid filename");
  }
}

}  // namespace
}  // namespace velmora
