#include "shellutil/ShellUtil.h"

#include <shellapi.h>

#include <vector>

#include "base/Errors.h"
#include "base/Product.h"
#include "shellutil/WideText.h"

namespace velmora {
namespace {

// Closes a registry key at the end of a routine.
class OpenKey {
 public:
  OpenKey(HKEY root, const std::string& path, REGSAM access) {
    if (RegOpenKeyExA(root, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
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
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) throw Error(Format("Invalid data type for '%s'", name.c_str()));
  std::vector<char> data(size + 1, '\0');
  if (RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS)
    return {};
  std::string value(data.data(), size);
  while (!value.empty() && value.back() == '\0') value.pop_back();
  return value;
}

std::string RegReadMachineString(const std::string& key, const std::string& name) {
  return RegReadString(HKEY_LOCAL_MACHINE, key, name);
}

void RegWriteString(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
  OpenKey k(root, key, KEY_SET_VALUE);
  if (!k || RegSetValueExA(k.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
    throw Error(Format("Failed to set data for '%s'", name.c_str()));
}

void RegWriteMachineString(const std::string& key, const std::string& name, const std::string& value) {
  RegWriteString(HKEY_LOCAL_MACHINE, key, name, value);
}

void RegDeleteStringValue(HKEY root, const std::string& key, const std::string& name) {
  OpenKey k(root, key, KEY_SET_VALUE);
  if (k) RegDeleteValueA(k.get(), name.c_str());
}

void RegDeleteMachineValue(const std::string& key, const std::string& name) {
  RegDeleteStringValue(HKEY_LOCAL_MACHINE, key, name);
}

void SendKeyDown(BYTE virtualKey) { keybd_event(virtualKey, 0, 0, 0); }
void SendKeyUp(BYTE virtualKey) { keybd_event(virtualKey, 0, KEYEVENTF_KEYUP, 0); }

void PressKey(BYTE virtualKey) {
  SendKeyDown(virtualKey);
  SendKeyUp(virtualKey);
}

std::wstring VersionMessage(const std::string& programVersion) {
  return L"Версия программы: " + AnsiToWide(programVersion) + L"\n\r" + L"Версия модуля Tembrix: " +
         AnsiToWide(kLibraryVersion);
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
  MessageBoxW(nullptr, VersionMessage(programVersion).c_str(), AnsiToWide(kApplicationTitle).c_str(),
              MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
  return true;
}

}  // namespace velmora
