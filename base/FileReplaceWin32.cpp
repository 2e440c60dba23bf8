// Windows' rename refuses an existing target, so the replacement goes through
// MoveFileEx; a read-only or locked target is reported as access denied.
#include <windows.h>

#include <io.h>

#include <cerrno>
#include <cstdio>

#include "base/CodePage.h"
#include "base/Errors.h"
#include "base/FileReplace.h"
#include "base/SystemError.h"

namespace velmora {
namespace {

int InOutCode(DWORD err) {
  switch (err) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME: return io::kInvalidFilename;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return io::kAccessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return io::kDiskFull;
    case ERROR_TOO_MANY_OPEN_FILES: return io::kTooManyOpenFiles;
    default: return static_cast<int>(err);
  }
}

}  // namespace

// _commit is FlushFileBuffers on the stream's handle, its failure as errno.
int FlushToDisk(std::FILE* file) { return _commit(_fileno(file)) == 0 ? 0 : errno; }

void MoveFileOver(const std::string& from, const std::string& to) {
  if (MoveFileExW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return;
  const int code = InOutCode(GetLastError());
  throw InOutError(code, Format("Cannot replace file \"%s\". %s", to.c_str(), LastSystemErrorText().c_str()));
}

}  // namespace velmora
