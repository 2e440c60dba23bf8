#include "shellutil/ShellUtil.h"

#include <shellapi.h>

#include <vector>

#include "base/CodePage.h"
#include "base/Errors.h"
#include "base/Product.h"

namespace velmora {
namespace {

// Closes a registry key at the end of a routine.
class OpenKey {
 public:
  OpenKey(HKEY root, const std::string& path, REGSAM access) {
    if (RegOpenKeyExW(root, Utf8ToWide(path).c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~OpenKey() {
    if (key_) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  explicit operator bool() const { return key_ != nullptr; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::string RegReadString(HKEY root, const std::string& key, const std::string& name) {
  OpenKey k(root, key, KEY_QUERY_VALUE);
  if (!k) return {};
  const std::wstring wideName = Utf8ToWide(name);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(k.get(), wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) throw Error(Format("Invalid data type for '%s'", name.c_str()));
  std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(k.get(), wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS)
    return {};
  std::wstring value(data.data(), size / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return WideToUtf8(value);
}

std::string RegReadMachineString(const std::string& key, const std::string& name) {
  return RegReadString(HKEY_LOCAL_MACHINE, key, name);
}

void RegWriteString(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
  OpenKey k(root, key, KEY_SET_VALUE);
  const std::wstring wide = Utf8ToWide(value);
  if (!k || RegSetValueExW(k.get(), Utf8ToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                           static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
    throw Error(Format("Failed to set data for '%s'", name.c_str()));
}

void RegWriteMachineString(const std::string& key, const std::string& name, const std::string& value) {
  RegWriteString(HKEY_LOCAL_MACHINE, key, name, value);
}

void RegDeleteStringValue(HKEY root, const std::string& key, const std::string& name) {
  OpenKey k(root, key, KEY_SET_VALUE);
  if (k) RegDeleteValueW(k.get(), Utf8ToWide(name).c_str());
}

void RegDeleteMachineValue(const std::string& key, const std::string& name) {
  RegDeleteStringValue(HKEY_LOCAL_MACHINE, key, name);
}

std::string CurrentDirectoryPath() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  std::wstring buffer(size, L'\0');
  const DWORD n = size ? GetCurrentDirectoryW(size, buffer.data()) : 0;
  return n && n < size ? WideToUtf8(buffer.substr(0, n)) : std::string();
}

std::string ProgramFilePath() {
  // A path longer than the buffer comes back cut, told only by the length.
  for (DWORD size = MAX_PATH;; size *= 2) {
    std::wstring buffer(size, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (n == 0) return std::string();
    if (n < size) return WideToUtf8(buffer.substr(0, n));
    if (size >= 32768) return std::string();
  }
}

bool SetCurrentDirectoryPath(const std::string& path) {
  return SetCurrentDirectoryW(Utf8ToWide(path).c_str()) != 0;
}

bool IsExistingFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsExistingFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> FolderFiles(const std::string& folder) {
  std::vector<std::string> files;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(Utf8ToWide(folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(folder + WideToUtf8(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return files;
}

void SendKeyDown(BYTE virtualKey) { keybd_event(virtualKey, 0, 0, 0); }
void SendKeyUp(BYTE virtualKey) { keybd_event(virtualKey, 0, KEYEVENTF_KEYUP, 0); }

void PressKey(BYTE virtualKey) {
  SendKeyDown(virtualKey);
  SendKeyUp(virtualKey);
}

std::wstring VersionMessage(const std::string& programVersion) {
  return L"Версия программы: " + Utf8ToWide(programVersion) + L"\n\r" + L"Версия модуля Tembrix: " +
         Utf8ToWide(kLibraryVersion);
}

bool HasVersionSwitch(const wchar_t* commandLine) {
  int argc = 0;
  // With an empty text CommandLineToArgvW would name the running program instead.
  if (!commandLine || !*commandLine) return false;
  LPWSTR* argv = CommandLineToArgvW(commandLine, &argc);
  if (!argv) return false;
  const bool found = argc >= 2 && std::wstring(argv[1]) == L"-Ver$";
  LocalFree(argv);
  return found;
}

bool ShowVersionOnSwitch(const std::string& programVersion) {
  if (!HasVersionSwitch(GetCommandLineW())) return false;
  // The wide box keeps the Cyrillic text right whatever the ANSI code page is.
  MessageBoxW(nullptr, VersionMessage(programVersion).c_str(), Utf8ToWide(kApplicationTitle).c_str(),
              MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
  return true;
}

}  // namespace velmora
