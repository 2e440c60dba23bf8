#include "base/FileReplace.h"

#include <cerrno>
#include <cstdio>

#include "base/Errors.h"

namespace velmora {

FileReplacer::FileReplacer(std::string path) : path_(std::move(path)), tempPath_(path_ + ".tmp") {
  file_ = std::fopen(tempPath_.c_str(), "wb");
  if (!file_) throw InOutError(InOutCodeFromErrno(errno, /*forReading=*/false));
}

FileReplacer::~FileReplacer() {
  if (!committed_) Discard();
}

void FileReplacer::Discard() noexcept {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  std::remove(tempPath_.c_str());
}

void FileReplacer::Write(const void* data, size_t size) {
  if (!file_) throw InOutError(io::kAccessDenied);
  if (size && std::fwrite(data, 1, size, file_) != size) {
    const int err = errno;
    Discard();
    throw InOutError(InOutCodeFromErrno(err, false));
  }
}

void FileReplacer::Commit() {
  if (!file_) throw InOutError(io::kAccessDenied);
  const bool flushed = std::fflush(file_) == 0;
  int err = errno;
  const bool closed = std::fclose(file_) == 0;
  if (flushed) err = errno;
  file_ = nullptr;
  if (!flushed || !closed) {
    Discard();
    throw InOutError(InOutCodeFromErrno(err, false));
  }
  try {
    MoveFileOver(tempPath_, path_);
  } catch (...) {
    Discard();
    throw;
  }
  committed_ = true;
}

void ReplaceFileContents(const std::string& path, std::string_view bytes) {
  FileReplacer file(path);
  file.Write(bytes);
  file.Commit();
}

}  // namespace velmora
