#include "base/CodePage.h"

namespace velmora {

std::string DecodeTextFile(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return std::string(bytes.substr(kUtf8Bom.size()));
  return AnsiToUtf8(bytes);
}

std::string EncodeTextFile(std::string_view utf8) {
  if (std::optional<std::string> ansi = Utf8ToAnsi(utf8)) return std::move(*ansi);
  std::string bytes(kUtf8Bom);
  bytes += utf8;
  return bytes;
}

}  // namespace velmora
