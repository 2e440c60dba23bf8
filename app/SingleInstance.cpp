#include "app/SingleInstance.h"

#include <windows.h>

#include "program/Program.h"
#include "shellutil/ShellUtil.h"

namespace velmora {

bool ClaimWorkDirectory() {
  char buffer[MAX_PATH * 2];
  const DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
  const std::string current = n && n < sizeof buffer ? std::string(buffer, n) : std::string();
  const DWORD attributes = GetFileAttributesA(kProgramFileName);
  const bool here = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  std::string folder = FindWorkDirectory(current, here, RegReadString(HKEY_CURRENT_USER, kRunKey, kRunValueName),
                                         RegReadMachineString(kRunKey, kRunValueName));
  if (folder.empty()) folder = current;
  // Never closed: the system releases it when the process ends, however it ends.
  HANDLE mutex = CreateMutexA(nullptr, FALSE, InstanceMutexName(folder).c_str());
  return !(mutex && GetLastError() == ERROR_ALREADY_EXISTS);
}

}  // namespace velmora
