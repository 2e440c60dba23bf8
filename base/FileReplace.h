#pragma once
// Writing a file so that a failure part-way never destroys the previous one:
// the bytes go to a temporary file beside it, which replaces the old file only
// once it has been written and closed whole.
#include <cstdio>
#include <string>
#include <string_view>

namespace velmora {

class InOutError;

// Failures raise InOutError with the runtime's file error code and, as the
// message, what failed, the target's path and the system's reason:
// Cannot create file "C:\Velmora\1.bmp". Access is denied.
class FileReplacer {
 public:
  // Creates the temporary file; raises the file error when it cannot.
  explicit FileReplacer(std::string path);
  // Removes the temporary file unless Commit succeeded.
  ~FileReplacer();
  FileReplacer(const FileReplacer&) = delete;
  FileReplacer& operator=(const FileReplacer&) = delete;

  void Write(const void* data, size_t size);
  void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }
  // Flushes the temporary file to the disk and closes it: after it only the
  // move can fail.
  void Close();
  // Closes, then moves the temporary file over the target.
  void Commit();

  const std::string& TempPath() const { return tempPath_; }
  const std::string& Path() const { return path_; }

 private:
  void Discard() noexcept;
  InOutError WriteFailure(const char* what, int err) const;

  std::string path_;
  std::string tempPath_;
  std::FILE* file_ = nullptr;
  bool closed_ = false;
  bool committed_ = false;
};

// Replaces both files, or, when either cannot be replaced, neither: the first
// file's previous content waits beside it ("<name>.previous") until the second
// is in place, and goes back when the second fails. Files that belong
// together (a picture and the drawing it was composed with) stay of one
// generation.
void CommitTogether(FileReplacer& first, FileReplacer& second);

// Replaces the whole file with these bytes through a FileReplacer.
void ReplaceFileContents(const std::string& path, std::string_view bytes);

// Platform step of Close: writes the file's data through to the disk, so a
// power cut after the replacement cannot leave a file of zeros in the old
// one's place. Returns 0, or the errno value of the failure.
int FlushToDisk(std::FILE* file);

// Platform step of Commit: moves `from` over `to`, replacing it. Raises the
// file error on failure, told as "Cannot replace file "<to>". <reason>".
void MoveFileOver(const std::string& from, const std::string& to);

}  // namespace velmora
