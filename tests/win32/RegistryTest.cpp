#include <gtest/gtest.h>

#include <functional>

#include "base/Errors.h"
#include "shellutil/ShellUtil.h"

namespace velmora {
namespace {

constexpr char kScratch[] = "Software\\VelmoraTest";

// A scratch key under the given root, removed with its values at the end.
class ScratchKey {
 public:
  explicit ScratchKey(HKEY root) : root_(root) {
    HKEY key;
    EXPECT_EQ(RegCreateKeyExA(root_, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  ~ScratchKey() { RegDeleteTreeA(root_, kScratch); }
  void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(root_, kScratch, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
  DWORD TypeOf(const char* name) {
    HKEY key;
    DWORD type = REG_NONE;
    if (RegOpenKeyExA(root_, kScratch, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
      if (RegQueryValueExA(key, name, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) type = REG_NONE;
      RegCloseKey(key);
    }
    return type;
  }

 private:
  HKEY root_;
};

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(Registry, WritesReadsAndDeletesStringValuesUnderEitherRoot) {
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    ScratchKey scratch(root);
    RegWriteString(root, kScratch, "KVX", "\"C:\\Program Files\\Velmora\\KVX.exe\"");
    EXPECT_EQ(scratch.TypeOf("KVX"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(RegReadString(root, kScratch, "KVX"), "\"C:\\Program Files\\Velmora\\KVX.exe\"");
    RegWriteString(root, kScratch, "KVX", "");
    EXPECT_EQ(RegReadString(root, kScratch, "KVX"), "");
    RegDeleteStringValue(root, kScratch, "KVX");
    EXPECT_EQ(scratch.TypeOf("KVX"), static_cast<DWORD>(REG_NONE));
    RegDeleteStringValue(root, kScratch, "KVX");  // deleting again reports nothing
  }
  ScratchKey machine(HKEY_LOCAL_MACHINE);
  RegWriteMachineString(kScratch, "Wallpaper", "C:\\1.bmp");
  EXPECT_EQ(RegReadMachineString(kScratch, "Wallpaper"), "C:\\1.bmp");
  RegDeleteMachineValue(kScratch, "Wallpaper");
  EXPECT_EQ(RegReadMachineString(kScratch, "Wallpaper"), "");
}

TEST(Registry, AbsentKeysAndValuesReadEmptyAndAreNeverCreated) {
  EXPECT_EQ(RegReadMachineString("Software\\VelmoraTest\\Nowhere", "KVX"), "");
  EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, "Software\\VelmoraTest\\Nowhere", "KVX"), "");
  ScratchKey scratch(HKEY_CURRENT_USER);
  EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kScratch, "absent"), "");

  EXPECT_EQ(ErrorOf([] { RegWriteString(HKEY_CURRENT_USER, "Software\\VelmoraTest\\Nowhere", "KVX", "x"); }),
            "Failed to set data for 'KVX'");
  HKEY key;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VelmoraTest\\Nowhere", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegDeleteStringValue(HKEY_CURRENT_USER, "Software\\VelmoraTest\\Nowhere", "KVX");
}

TEST(Registry, NonStringValuesAreRejectedAndExpandableStringsRead) {
  ScratchKey scratch(HKEY_CURRENT_USER);
  const DWORD number = 1;
  scratch.SetRaw("TileWallpaper", REG_DWORD, &number, sizeof number);
  EXPECT_EQ(ErrorOf([] { RegReadString(HKEY_CURRENT_USER, kScratch, "TileWallpaper"); }),
            "Invalid data type for 'TileWallpaper'");
  const char expandable[] = "%USERPROFILE%\\sea.bmp";
  scratch.SetRaw("Wallpaper", REG_EXPAND_SZ, expandable, sizeof expandable);
  EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kScratch, "Wallpaper"), expandable);
  // A string stored without its terminating NUL reads whole.
  scratch.SetRaw("Raw", REG_SZ, "abc", 3);
  EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kScratch, "Raw"), "abc");
}

}  // namespace
}  // namespace velmora
