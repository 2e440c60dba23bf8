#include "ui/DialogText.h"

#include <algorithm>

namespace velmora {

std::wstring FilterBuffer(const std::wstring& filter) {
  std::wstring buffer = filter;
  for (wchar_t& c : buffer)
    if (c == L'|') c = L'\0';
  buffer += L'\0';
  buffer += L'\0';
  return buffer;
}

std::vector<std::wstring> SplitOpenFileNames(const std::wstring& buffer) {
  std::vector<std::wstring> parts;
  for (size_t pos = 0; pos < buffer.size() && buffer[pos] != L'\0';) {
    const size_t end = std::min(buffer.find(L'\0', pos), buffer.size());
    parts.push_back(buffer.substr(pos, end - pos));
    pos = end + 1;
  }
  if (parts.size() <= 1) return parts;
  // A drive root comes with its backslash already.
  std::wstring directory = parts.front();
  if (directory.back() != L'\\') directory += L'\\';
  std::vector<std::wstring> files;
  for (size_t i = 1; i < parts.size(); ++i) files.push_back(directory + parts[i]);
  return files;
}

}  // namespace velmora
