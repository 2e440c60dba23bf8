#pragma once
// 8-bit text files read and written line by line.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The whole content of a file. A missing file raises "File not found"; other
// failures raise the matching file error.
std::string ReadFileBytes(const std::string& path);

// The whole content of a file, or nothing when it cannot be opened (the
// system's reason is then left for LastSystemErrorText); a failed read raises
// the file error.
std::optional<std::string> ReadFileIfOpens(const std::string& path);

// Splits a file's text into lines: a line ends at a line feed or at the end of
// the text, and carriage returns are dropped wherever they stand. Lines past
// the end read as empty.
class LineReader {
 public:
  explicit LineReader(std::string text) : text_(std::move(text)) {}
  std::string Next();
  bool AtEnd() const { return pos_ >= text_.size(); }

 private:
  std::string text_;
  size_t pos_ = 0;
};

// Every line of the text, as LineReader gives them, up to the end of the text.
std::vector<std::string> SplitLines(const std::string& text);

// The lines joined, each followed by carriage return and line feed.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// Strict decimal conversion: an optional sign and one or more ASCII digits,
// within the 32-bit range; anything else raises
// "'<text>' is not a valid integer value".
int StrToInt(std::string_view text);

}  // namespace velmora
