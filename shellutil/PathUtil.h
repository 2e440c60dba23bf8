#pragma once
// Path and digit routines of the utility library. They never change the
// caller's text and cannot fail.
#include <string>

namespace velmora {

// The text with every character that is not an ASCII digit removed.
std::string DigitsOnly(const std::string& text);

// The last backslash-separated component of a path; without keepExtension,
// its last dot and what follows are removed. A slash is an ordinary character.
std::string FileNameOf(const std::string& path, bool keepExtension);

// The path up to and including its last backslash; a text without a backslash
// comes back unchanged.
std::string DirectoryOf(const std::string& path);

// The text followed by one NUL, in storage that lives as long as the result,
// for passing straight to a system call.
class CString {
 public:
  explicit CString(std::string text) : text_(std::move(text)) {}
  const char* get() const { return text_.c_str(); }
  operator const char*() const { return text_.c_str(); }

 private:
  std::string text_;
};
CString ToCString(const std::string& text);

}  // namespace velmora
