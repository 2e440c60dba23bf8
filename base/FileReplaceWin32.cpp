// Windows' rename refuses an existing target, so the replacement goes through
// MoveFileEx; a read-only or locked target is reported as access denied.
#include <windows.h>

#include "base/Errors.h"
#include "base/FileReplace.h"

namespace velmora {

void MoveFileOver(const std::string& from, const std::string& to) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return;
  switch (const DWORD err = GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME: throw InOutError(io::kInvalidFilename);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: throw InOutError(io::kAccessDenied);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: throw InOutError(io::kDiskFull);
    case ERROR_TOO_MANY_OPEN_FILES: throw InOutError(io::kTooManyOpenFiles);
    default: throw InOutError(static_cast<int>(err));
  }
}

}  // namespace velmora
