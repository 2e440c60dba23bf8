#include "imaging/PictureIo.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>

#include "base/Errors.h"
#include "base/FileSystem.h"
#include "base/SystemError.h"

namespace velmora {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// The BMP information header sizes in use (core, OS/2 2.x short and long,
// Windows 3, versions 2 to 5).
bool KnownBmpHeaderSize(unsigned size) {
  switch (size) {
    case 12:
    case 16:
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string ReadPictureFile(const std::string& path) {
  UniqueFile file(OpenFile(path, "rb"));
  if (!file) throw Error(Format("Cannot open file \"%s\". %s", path.c_str(), LastSystemErrorText().c_str()));
  std::string bytes;
  try {
    // One read of the known size; a file that grows meanwhile is read on.
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
      const long size = std::ftell(file.get());
      std::rewind(file.get());
      if (size > 0) {
        bytes.resize(static_cast<std::size_t>(size));
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
      }
    }
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryError();
  }
  if (std::ferror(file.get())) throw InOutError(InOutCodeFromErrno(errno, /*forReading=*/true));
  return bytes;
}

PictureFileWriter::PictureFileWriter(const std::string& path) { file_.emplace(path); }

PictureKind SniffPicture(std::string_view head) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(head[i]); };
  if (head.size() >= 18 && head[0] == 'B' && head[1] == 'M') {
    const unsigned headerSize =
        byte(14) | byte(15) << 8 | byte(16) << 16 | static_cast<unsigned>(byte(17)) << 24;
    return KnownBmpHeaderSize(headerSize) ? PictureKind::kBmp : PictureKind::kNone;
  }
  if (head.size() >= 4 && byte(0) == 0xFF && byte(1) == 0xD8 && byte(2) == 0xFF && byte(3) != 0x00) {
    return PictureKind::kJpeg;
  }
  if (head.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8)) return PictureKind::kPng;
  if (head.size() >= 12 && head.substr(0, 4) == "RIFF" && head.substr(8, 4) == "WEBP") return PictureKind::kWebp;
  return PictureKind::kNone;
}

std::string_view ForeignPictureKind(std::string_view head) {
  const auto starts = [head](std::string_view mark) { return head.substr(0, mark.size()) == mark; };
  if (starts("GIF87a") || starts("GIF89a")) return "GIF";
  if (starts(std::string_view("II*\0", 4)) || starts(std::string_view("MM\0*", 4))) return "TIFF";
  if (starts(std::string_view("\0\0\1\0", 4))) return "ICO";
  if (starts("8BPS")) return "Photoshop";
  if (starts("\xFF\x0A") || starts(std::string_view("\0\0\0\x0CJXL ", 8))) return "JPEG XL";
  // An ISO media file: the brand after "ftyp" says which.
  if (head.size() >= 12 && head.substr(4, 4) == "ftyp") {
    const std::string_view brand = head.substr(8, 4);
    if (brand == "avif" || brand == "avis") return "AVIF";
    if (brand == "heic" || brand == "heix" || brand == "mif1" || brand == "msf1" || brand == "hevc") return "HEIC";
  }
  return {};
}

PictureKind SniffPictureFile(const std::string& path) {
  UniqueFile file(OpenFile(path, "rb"));
  if (!file) return PictureKind::kNone;
  char head[18];
  const std::size_t got = std::fread(head, 1, sizeof head, file.get());
  return SniffPicture(std::string_view(head, got));
}

}  // namespace velmora
