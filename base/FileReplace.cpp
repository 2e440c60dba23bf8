#include "base/FileReplace.h"

#include <cerrno>
#include <cstdio>

#include "base/Errors.h"
#include "base/FileSystem.h"
#include "base/SystemError.h"

namespace velmora {

FileReplacer::FileReplacer(std::string path) : path_(std::move(path)), tempPath_(path_ + ".tmp") {
  file_ = OpenFile(tempPath_, "wb");
  if (!file_) throw WriteFailure("Cannot create file", errno);
}

FileReplacer::~FileReplacer() {
  if (!committed_) Discard();
}

InOutError FileReplacer::WriteFailure(const char* what, int err) const {
  // Read before anything else runs: the system's reason of the failed call.
  return InOutError(InOutCodeFromErrno(err, /*forReading=*/false),
                    Format("%s \"%s\". %s", what, path_.c_str(), FileErrorText(err).c_str()));
}

void FileReplacer::Discard() noexcept {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  RemoveFile(tempPath_);
}

void FileReplacer::Write(const void* data, size_t size) {
  if (!file_) throw InOutError(io::kAccessDenied);
  if (size && std::fwrite(data, 1, size, file_) != size) {
    const InOutError error = WriteFailure("Cannot write file", errno);
    Discard();
    throw error;
  }
}

void FileReplacer::Close() {
  if (!file_) {
    if (closed_) return;
    throw InOutError(io::kAccessDenied);
  }
  if (std::fflush(file_) != 0) {
    const InOutError error = WriteFailure("Cannot write file", errno);
    Discard();
    throw error;
  }
  if (const int err = FlushToDisk(file_)) {
    const InOutError error = WriteFailure("Cannot write file", err);
    Discard();
    throw error;
  }
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!closed) {
    const InOutError error = WriteFailure("Cannot write file", errno);
    Discard();
    throw error;
  }
  closed_ = true;
}

void FileReplacer::Commit() {
  Close();
  try {
    MoveFileOver(tempPath_, path_);
  } catch (...) {
    Discard();
    throw;
  }
  committed_ = true;
}

void CommitTogether(FileReplacer& first, FileReplacer& second) {
  first.Close();
  second.Close();
  const std::string previous = first.Path() + ".previous";
  RemoveFile(previous);  // left by a run that ended between the two steps
  bool hadFile = false;
  if (std::FILE* old = OpenFile(first.Path(), "rb")) {
    hadFile = true;
    std::fclose(old);
  }
  const bool kept = hadFile && RenameFileKeeping(first.Path(), previous);
  try {
    first.Commit();
  } catch (...) {
    if (kept) RenameFileKeeping(previous, first.Path());
    throw;
  }
  try {
    second.Commit();
  } catch (...) {
    // The first file as it was; one that could not be set aside stays new.
    if (kept) {
      RemoveFile(first.Path());
      RenameFileKeeping(previous, first.Path());
    } else if (!hadFile) {
      RemoveFile(first.Path());
    }
    throw;
  }
  if (kept) RemoveFile(previous);
}

void ReplaceFileContents(const std::string& path, std::string_view bytes) {
  FileReplacer file(path);
  file.Write(bytes);
  file.Commit();
}

}  // namespace velmora
