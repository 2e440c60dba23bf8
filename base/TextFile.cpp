#include "base/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <limits>

#include "base/Errors.h"
#include "base/FileSystem.h"

namespace velmora {

std::string ReadFileBytes(const std::string& path) {
  std::optional<std::string> bytes = ReadFileIfOpens(path);
  if (!bytes) throw InOutError(InOutCodeFromErrno(errno, /*forReading=*/true));
  return std::move(*bytes);
}

std::optional<std::string> ReadFileIfOpens(const std::string& path) {
  std::FILE* file = OpenFile(path, "rb");
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  const bool failed = std::ferror(file) != 0;
  const int err = errno;
  std::fclose(file);
  if (failed) throw InOutError(InOutCodeFromErrno(err, true));
  return bytes;
}

std::string LineReader::Next() {
  std::string line;
  while (pos_ < text_.size()) {
    const char c = text_[pos_++];
    if (c == '\n') break;
    if (c != '\r') line.push_back(c);
  }
  return line;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  LineReader reader(text);
  while (!reader.AtEnd()) lines.push_back(reader.Next());
  return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

int StrToInt(std::string_view text) {
  auto fail = [&]() -> int {
    throw ConvertError(Format("'%.*s' is not a valid integer value", static_cast<int>(text.size()), text.data()));
  };
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return fail();
  long long value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return fail();
    value = value * 10 + (c - '0');
    if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return fail();
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) return fail();
  return static_cast<int>(value);
}

}  // namespace velmora
