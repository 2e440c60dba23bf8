#include "app/SingleInstance.h"

#include <windows.h>

#include "base/CodePage.h"
#include "program/Program.h"
#include "shellutil/ShellUtil.h"

namespace velmora {

bool ClaimWorkDirectory() {
  const std::string current = CurrentDirectoryPath();
  const bool here = IsExistingFile(kProgramFileName);
  std::string folder = FindWorkDirectory(current, here, ProgramFilePath(),
                                         RegReadString(HKEY_CURRENT_USER, kRunKey, kRunValueName),
                                         RegReadMachineString(kRunKey, kRunValueName));
  if (folder.empty()) folder = current;
  // Never closed: the system releases it when the process ends, however it ends.
  HANDLE mutex = CreateMutexW(nullptr, FALSE, Utf8ToWide(InstanceMutexName(folder)).c_str());
  return !(mutex && GetLastError() == ERROR_ALREADY_EXISTS);
}

}  // namespace velmora
