#include <windows.h>

#include <cerrno>
#include <cstring>

#include "base/CodePage.h"
#include "base/SystemError.h"

namespace velmora {
namespace {

std::string SystemText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string result = n && text ? WideToUtf8(std::wstring_view(text, n)) : "System error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
    result.pop_back();
  return result;
}

// The system's error of the same meaning as the runtime's errno, or 0.
DWORD SystemCodeOf(int err) {
  switch (err) {
    case ENOSPC: return ERROR_DISK_FULL;
    case EACCES: return ERROR_ACCESS_DENIED;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case EROFS: return ERROR_WRITE_PROTECT;
    case EMFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case EIO: return ERROR_WRITE_FAULT;
    default: return 0;
  }
}

}  // namespace

std::string LastSystemErrorText() {
  return SystemText(GetLastError());
}

std::string FileErrorText(int err) {
  const DWORD code = GetLastError();
  if (code != 0 || err == 0) return SystemText(code);
  if (const DWORD same = SystemCodeOf(err)) return SystemText(same);
  return std::strerror(err);
}

}  // namespace velmora
