#include <windows.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "base/Errors.h"
#include "base/FileReplace.h"
#include "base/SystemError.h"
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

// The system's words for an error code, as the error box shows them.
std::string SystemText(DWORD code) {
  char text[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, sizeof text,
                 nullptr);
  std::string result = text;
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
    result.pop_back();
  return result;
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
    EXPECT_EQ(e.Code(), io::kAccessDenied);
    EXPECT_EQ(std::string(e.what()).rfind("Cannot replace file \"" + path + "\". ", 0), 0u) << e.what();
  }
  CloseHandle(locked);
  EXPECT_EQ(Read(path), "drawing");
  EXPECT_FALSE(Exists(path + ".tmp"));
  DeleteFileA(path.c_str());
}

// The error names the file and gives the system's reason, not the runtime's
// short word for it.
TEST(FileReplaceWin32, FailuresTellTheSystemsReason) {
  const std::string missing = TempDir() + "no-such-dir\\kvx.ini";
  try {
    ReplaceFileContents(missing, "x");
    FAIL();
  } catch (const InOutError& e) {
    EXPECT_EQ(e.Code(), io::kInvalidFilename);
    EXPECT_EQ(e.what(), "Cannot create file \"" + missing + "\". " + SystemText(ERROR_PATH_NOT_FOUND));
  }
  // A folder in the way of the temporary file: the previous file stays.
  const std::string path = TempDir() + "1.bmp";
  ReplaceFileContents(path, "picture");
  ASSERT_TRUE(CreateDirectoryA((path + ".tmp").c_str(), nullptr));
  try {
    ReplaceFileContents(path, "other");
    FAIL();
  } catch (const InOutError& e) {
    EXPECT_EQ(e.what(), "Cannot create file \"" + path + "\". " + SystemText(ERROR_ACCESS_DENIED));
  }
  EXPECT_EQ(Read(path), "picture");
  RemoveDirectoryA((path + ".tmp").c_str());
  DeleteFileA(path.c_str());
}

// A short write leaves the system's last error at 0: the reason then comes
// from the runtime's errno, in the system's words where it has them.
TEST(FileReplaceWin32, AFailedWriteWithoutASystemErrorTellsTheRuntimesReason) {
  SetLastError(ERROR_ACCESS_DENIED);
  EXPECT_EQ(FileErrorText(ENOSPC), SystemText(ERROR_ACCESS_DENIED));  // the system's own reason comes first
  SetLastError(0);
  EXPECT_EQ(FileErrorText(ENOSPC), SystemText(ERROR_DISK_FULL));
  SetLastError(0);
  EXPECT_EQ(FileErrorText(EROFS), SystemText(ERROR_WRITE_PROTECT));
  SetLastError(0);
  EXPECT_EQ(FileErrorText(EDOM), std::strerror(EDOM));  // no system error of that meaning
  SetLastError(0);
  EXPECT_NE(FileErrorText(ENOSPC), SystemText(0));
}

}  // namespace
}  // namespace velmora
