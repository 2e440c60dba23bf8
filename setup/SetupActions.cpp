// The setup's own steps, a DLL kept in the Windows Installer package's binary
// table and called from its sequence (see Velmora.wxs):
//   CloseProgram   before the files change: a KVX.exe running from the install
//                  folder saves its settings and ends as "Exit" does; noted in
//                  the property VELMORA_RESTART, the Run value in VELMORA_RUN_VALUE
//   FinishInstall  after an install or upgrade: the first-start files where
//                  they are missing, the logon Run value as CloseProgram found
//                  it, and the program started again when CloseProgram ended it
//   FinishRemoval  after an uninstall: the logon Run value that names the
//                  folder's program; the drawing and settings go only when the
//                  user says so, which a silent uninstall cannot ask
//   RefuseDowngrade  when a newer Velmora is installed: the package's refusal
//                  with the installed version filled in, shown or logged, and
//                  the install ended
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <string>
#include <vector>

#include "base/Product.h"
#include "setup/SetupActionIds.h"

namespace {

constexpr wchar_t kTitle[] = L"Velmora";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValueName[] = L"KVX";
constexpr DWORD kExitWaitMs = 20000;
// The files the program keeps beside itself: the user's settings, list, note
// font and drawing.
constexpr const wchar_t* kUserFiles[] = {L"kvx.ini", L"wl.ini", L"font.typ", L"1.bmp", L"2.bmp", L"1.jpg"};

struct FirstStartFile {
  const wchar_t* name;
  int resource;
};
constexpr FirstStartFile kFirstStartFiles[] = {
    {L"kvx.ini", IDR_KVX_INI}, {L"wl.ini", IDR_WL_INI}, {L"font.typ", IDR_FONT_TYP}};

HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

std::wstring Property(MSIHANDLE install, const wchar_t* name) {
  DWORD size = 0;
  wchar_t none[1] = L"";
  if (MsiGetPropertyW(install, name, none, &size) != ERROR_MORE_DATA) return {};
  std::wstring value(size + 1, L'\0');
  size = static_cast<DWORD>(value.size());
  if (MsiGetPropertyW(install, name, value.data(), &size) != ERROR_SUCCESS) return {};
  value.resize(size);
  return value;
}

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// FOLDER without quotes and trailing backslashes, as a full path.
std::wstring CleanFolder(std::wstring folder) {
  while (!folder.empty() && (folder.back() == L' ' || folder.back() == L'"')) folder.pop_back();
  while (!folder.empty() && (folder.front() == L' ' || folder.front() == L'"')) folder.erase(0, 1);
  while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  wchar_t full[MAX_PATH * 2];
  const DWORD length = GetFullPathNameW(folder.c_str(), MAX_PATH * 2, full, nullptr);
  if (length > 0 && length < MAX_PATH * 2) folder.assign(full, length);
  return folder;
}

std::wstring InFolder(const std::wstring& folder, const wchar_t* name) {
  return folder + (folder.back() == L'\\' ? L"" : L"\\") + name;
}

std::wstring ProcessImage(HANDLE process) {
  wchar_t path[MAX_PATH * 2];
  DWORD size = MAX_PATH * 2;
  return QueryFullProcessImageNameW(process, 0, path, &size) ? std::wstring(path, size) : std::wstring();
}

struct Running {
  HWND window;
  DWORD pid;
};

struct Search {
  std::wstring exe;  // lower case
  std::vector<Running> found;
};

BOOL CALLBACK CollectProgram(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  wchar_t className[32];
  if (GetClassNameW(window, className, 32) == 0 || lstrcmpW(className, L"TForm1") != 0) return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (process == nullptr) return TRUE;
  if (Lower(ProcessImage(process)) == search.exe) search.found.push_back({window, pid});
  CloseHandle(process);
  return TRUE;
}

// The main windows of the programs started from `exe`.
std::vector<Running> RunningPrograms(const std::wstring& exe) {
  Search search{Lower(exe), {}};
  EnumWindows(CollectProgram, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Asks each program to save its settings and end, and waits for it; one that
// does not end in time (an error box about its settings, say) is ended hard,
// since its file cannot be replaced while it runs.
bool EndPrograms(const std::wstring& exe) {
  const UINT exitRequest = RegisterWindowMessageA(velmora::kExitRequestMessage);
  bool ended = false;
  for (const Running& program : RunningPrograms(exe)) {
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, program.pid);
    if (process == nullptr) continue;
    PostMessageW(program.window, exitRequest, 0, 0);
    if (WaitForSingleObject(process, kExitWaitMs) != WAIT_OBJECT_0) {
      TerminateProcess(process, 1);
      WaitForSingleObject(process, kExitWaitMs);
    }
    CloseHandle(process);
    ended = true;
  }
  return ended;
}

bool StartProgram(const std::wstring& folder) {
  std::wstring exe = InFolder(folder, L"KVX.exe");
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // The program takes the current directory holding it as its work directory.
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &info))
    return false;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return true;
}

// Writes a first-start file only where none is: the bytes go to a temporary
// file that takes the name only when whole and only when the name is free, so
// the user's own file is never touched and a failed write leaves nothing half.
bool WriteWhereMissing(const std::wstring& folder, const FirstStartFile& file) {
  const std::wstring target = InFolder(folder, file.name);
  if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const HMODULE module = ThisModule();
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(file.resource), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return false;
  const DWORD size = SizeofResource(module, found);
  const std::wstring temporary = target + L".new";
  HANDLE out = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool whole =
      WriteFile(out, bytes, size, &written, nullptr) && written == size && FlushFileBuffers(out);
  CloseHandle(out);
  if (!whole || !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporary.c_str());
    return GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  return true;
}

std::wstring StripQuotes(const std::wstring& text) {
  if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"') return text.substr(1, text.size() - 2);
  return text;
}

// The logon Run value when it starts this installation's program, else "":
// a copy elsewhere keeps its own.
std::wstring OwnRunValue(const std::wstring& folder) {
  wchar_t data[MAX_PATH * 2] = L"";
  DWORD size = sizeof data - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName, RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS)
    return {};
  return Lower(StripQuotes(data)) == Lower(InFolder(folder, L"KVX.exe")) ? std::wstring(data)
                                                                         : std::wstring();
}

bool RunValuePresent() {
  return RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

bool WriteRunValue(const std::wstring& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const bool ok = RegSetValueExW(key, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

void RemoveRunValue(const std::wstring& folder) {
  if (OwnRunValue(folder).empty()) return;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegDeleteValueW(key, kRunValueName);
    RegCloseKey(key);
  }
}

int Removed(int uiLevel, const std::wstring& folder) {
  RemoveRunValue(folder);
  bool any = false;
  for (const wchar_t* name : kUserFiles)
    any = any || GetFileAttributesW(InFolder(folder, name).c_str()) != INVALID_FILE_ATTRIBUTES;
  // Without a user interface (msiexec /qn) the user cannot be asked: the files stay.
  constexpr int kNoUi = 2;
  if (!any || uiLevel <= kNoUi) return 0;
  const std::wstring question =
      L"Velmora has been removed.\n\nYour drawing and settings (kvx.ini, wl.ini, font.typ, "
      L"1.bmp, 2.bmp, 1.jpg) are still in\n" +
      folder + L"\n\nRemove them too?";
  if (MessageBoxW(nullptr, question.c_str(), kTitle,
                  MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_SETFOREGROUND) != IDYES) {
    MessageBoxW(nullptr, (L"Your drawing and settings are kept in\n" + folder).c_str(), kTitle,
                MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
    return 0;
  }
  bool ok = true;
  for (const wchar_t* name : kUserFiles) {
    const std::wstring path = InFolder(folder, name);
    if (!DeleteFileW(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) ok = false;
  }
  RemoveDirectoryW(folder.c_str());  // only when nothing else is left in it
  MessageBoxW(nullptr,
              ok ? L"Your drawing and settings have been removed."
                 : (L"Some of your files could not be removed; they are still in\n" + folder).c_str(),
              kTitle, MB_OK | (ok ? MB_ICONINFORMATION : MB_ICONWARNING) | MB_SETFOREGROUND);
  return ok ? 0 : 1;
}

// The numbers of a version "a.b.c", for comparing; missing or odd parts are 0.
std::vector<int> VersionParts(const std::wstring& version) {
  std::vector<int> parts;
  for (size_t start = 0; start <= version.size();) {
    size_t end = version.find(L'.', start);
    if (end == std::wstring::npos) end = version.size();
    parts.push_back(_wtoi(version.substr(start, end - start).c_str()));
    start = end + 1;
  }
  return parts;
}

// The version an installed product was installed as (INSTALLPROPERTY_VERSIONSTRING).
std::wstring InstalledVersion(const std::wstring& productCode) {
  wchar_t version[64] = L"";
  DWORD size = 64;
  if (MsiGetProductInfoW(productCode.c_str(), L"VersionString", version, &size) != ERROR_SUCCESS) return {};
  return std::wstring(version, size);
}

// The highest version among the installed products of a list "{code};{code}".
std::wstring HighestInstalledVersion(const std::wstring& productCodes) {
  std::wstring highest;
  for (size_t start = 0; start < productCodes.size();) {
    size_t end = productCodes.find(L';', start);
    if (end == std::wstring::npos) end = productCodes.size();
    const std::wstring version = InstalledVersion(productCodes.substr(start, end - start));
    if (!version.empty() && (highest.empty() || VersionParts(version) > VersionParts(highest)))
      highest = version;
    start = end + 1;
  }
  return highest;
}

// The package's refusal of a downgrade (MajorUpgrade's DowngradeErrorMessage,
// kept as the launch condition on WIX_DOWNGRADE_DETECTED), its properties
// filled in; "" when it cannot be read.
std::wstring FormattedDowngradeMessage(MSIHANDLE install) {
  std::wstring text;
  const MSIHANDLE database = MsiGetActiveDatabase(install);
  MSIHANDLE view = 0;
  MSIHANDLE row = 0;
  if (database != 0 &&
      MsiDatabaseOpenViewW(database,
                           L"SELECT `Description` FROM `LaunchCondition` "
                           L"WHERE `Condition` = 'NOT WIX_DOWNGRADE_DETECTED'",
                           &view) == ERROR_SUCCESS &&
      MsiViewExecute(view, 0) == ERROR_SUCCESS && MsiViewFetch(view, &row) == ERROR_SUCCESS) {
    const MSIHANDLE record = MsiCreateRecord(0);
    std::wstring pattern(1024, L'\0');
    DWORD size = static_cast<DWORD>(pattern.size());
    if (MsiRecordGetStringW(row, 1, pattern.data(), &size) == ERROR_SUCCESS) {
      pattern.resize(size);
      MsiRecordSetStringW(record, 0, pattern.c_str());
      std::wstring formatted(2048, L'\0');
      size = static_cast<DWORD>(formatted.size());
      if (MsiFormatRecordW(install, record, formatted.data(), &size) == ERROR_SUCCESS)
        text.assign(formatted.data(), size);
    }
    MsiCloseHandle(record);
  }
  if (row) MsiCloseHandle(row);
  if (view) MsiCloseHandle(view);
  if (database) MsiCloseHandle(database);
  return text;
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall RefuseDowngrade(MSIHANDLE install) {
  // FindRelatedProducts lists the installed products newer than this package.
  const std::wstring version = HighestInstalledVersion(Property(install, L"WIX_DOWNGRADE_DETECTED"));
  // Unread, the message keeps the property's default wording.
  if (!version.empty()) MsiSetPropertyW(install, L"VELMORA_INSTALLED_VERSION", version.c_str());
  const std::wstring message = FormattedDowngradeMessage(install);
  // Without its text the package's launch condition refuses all the same.
  if (message.empty()) return ERROR_SUCCESS;
  // An error message: a box with a user interface, the log without (msiexec /qn).
  const MSIHANDLE record = MsiCreateRecord(0);
  MsiRecordSetStringW(record, 0, message.c_str());
  MsiProcessMessage(install, INSTALLMESSAGE(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR), record);
  MsiCloseHandle(record);
  return ERROR_INSTALL_FAILURE;
}

extern "C" __declspec(dllexport) UINT __stdcall CloseProgram(MSIHANDLE install) {
  const std::wstring folder = CleanFolder(Property(install, L"INSTALLDIR"));
  if (folder.empty()) return ERROR_SUCCESS;
  if (EndPrograms(InFolder(folder, L"KVX.exe"))) MsiSetPropertyW(install, L"VELMORA_RESTART", L"1");
  // The removal of an older version that comes next may take the start at
  // logon away with it: Wine runs that removal as a plain uninstall, without
  // UPGRADINGPRODUCTCODE, and a release's removal may treat it its own way.
  // FinishInstall puts it back.
  const std::wstring runValue = OwnRunValue(folder);
  if (!runValue.empty()) MsiSetPropertyW(install, L"VELMORA_RUN_VALUE", runValue.c_str());
  return ERROR_SUCCESS;
}

extern "C" __declspec(dllexport) UINT __stdcall FinishInstall(MSIHANDLE install) {
  const std::wstring folder = CleanFolder(Property(install, L"INSTALLDIR"));
  if (folder.empty()) return ERROR_INSTALL_FAILURE;
  bool ok = true;
  for (const FirstStartFile& file : kFirstStartFiles) ok = WriteWhereMissing(folder, file) && ok;
  const std::wstring runValue = Property(install, L"VELMORA_RUN_VALUE");
  if (!runValue.empty() && !RunValuePresent()) ok = WriteRunValue(runValue) && ok;
  if (Property(install, L"VELMORA_RESTART") == L"1") ok = StartProgram(folder) && ok;
  return ok ? ERROR_SUCCESS : ERROR_INSTALL_FAILURE;
}

extern "C" __declspec(dllexport) UINT __stdcall FinishRemoval(MSIHANDLE install) {
  const std::wstring folder = CleanFolder(Property(install, L"INSTALLDIR"));
  if (folder.empty()) return ERROR_SUCCESS;
  Removed(_wtoi(Property(install, L"UILevel").c_str()), folder);
  return ERROR_SUCCESS;
}
