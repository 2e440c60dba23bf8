#include "shellutil/PathUtil.h"

namespace velmora {

std::string DigitsOnly(const std::string& text) {
  std::string digits;
  for (const char c : text)
    if (c >= '0' && c <= '9') digits.push_back(c);
  return digits;
}

std::string FileNameOf(const std::string& path, bool keepExtension) {
  const size_t slash = path.rfind('\\');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (!keepExtension) {
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
  }
  return name;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(0, slash + 1);
}

CString ToCString(const std::string& text) { return CString(text); }

}  // namespace velmora
