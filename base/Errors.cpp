#include "base/Errors.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace velmora {

std::string InOutMessage(int code) {
  switch (code) {
    case io::kFileNotFound: return "File not found";
    case io::kInvalidFilename: return "Invalid filename";
    case io::kTooManyOpenFiles: return "Too many open files";
    case io::kAccessDenied: return "File access denied";
    case io::kDiskFull: return "Disk full";
    default: return Format("I/O error %d", code);
  }
}

InOutError::InOutError(int code) : Error(InOutMessage(code)), code_(code) {}

InOutError::InOutError(int code, const std::string& message) : Error(message), code_(code) {}

OutOfMemoryError::OutOfMemoryError() : Error("Out of memory") {}

PictureTooLargeError::PictureTooLargeError(long long width, long long height)
    : Error(Format("The picture is too large: %lld x %lld pixels do not fit in memory", width, height)) {}

ScreenTooLargeError::ScreenTooLargeError(int width, int height)
    : Error(Format("The screen is too large: the pictures of a %d x %d pixel screen do not fit in memory", width,
                   height)) {}

int InOutCodeFromErrno(int err, bool forReading) {
  switch (err) {
    case ENOENT: return forReading ? io::kFileNotFound : io::kInvalidFilename;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL: return io::kInvalidFilename;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EBUSY: return io::kAccessDenied;
    case EMFILE:
    case ENFILE: return io::kTooManyOpenFiles;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return io::kDiskFull;
    default: return err;
  }
}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int size = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string result;
  if (size > 0) {
    std::vector<char> buffer(static_cast<size_t>(size) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    result.assign(buffer.data(), static_cast<size_t>(size));
  }
  va_end(args);
  return result;
}

}  // namespace velmora
