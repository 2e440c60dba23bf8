#pragma once
// Picture files as bytes: whole-file reading and replacing writes with the
// runtime's messages, and recognising a picture file by its content.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/FileReplace.h"

namespace velmora {

// The whole file. Raises "Cannot open file "<path>". <system reason>" when it
// cannot be opened and OutOfMemoryError when it does not fit in memory.
std::string ReadPictureFile(const std::string& path);

// Writes a picture file through a FileReplacer, so a failure part-way keeps
// the previous file; its errors name the file and the system's reason.
class PictureFileWriter {
 public:
  explicit PictureFileWriter(const std::string& path);
  void Write(const void* data, std::size_t size) { file_->Write(data, size); }
  void Close() { file_->Close(); }
  void Commit() { file_->Commit(); }
  FileReplacer& Replacer() { return *file_; }

 private:
  std::optional<FileReplacer> file_;
};

enum class PictureKind { kNone, kBmp, kJpeg, kPng, kWebp };

// What a file's first bytes make it: a BMP file header followed by a known
// information header size, the JPEG start-of-image marker followed by the
// start of another marker, PNG's eight-byte signature, or a RIFF file of
// kind "WEBP". Anything shorter or else is kNone.
PictureKind SniffPicture(std::string_view head);
// The name of a picture kind the program does not read that the first bytes
// show ("GIF", "TIFF", "HEIC" ...); empty for any other bytes.
std::string_view ForeignPictureKind(std::string_view head);
// The kind of the file at `path`; a missing or unreadable file is kNone.
PictureKind SniffPictureFile(const std::string& path);

}  // namespace velmora
