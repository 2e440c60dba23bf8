#include <windows.h>

#include <cstdio>
#include <string>

#include "base/CodePage.h"
#include "base/FileSystem.h"

namespace velmora {

std::FILE* OpenFile(const std::string& path, const char* mode) {
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(Utf8ToWide(path).c_str(), wideMode.c_str());
}

bool RemoveFile(const std::string& path) { return _wremove(Utf8ToWide(path).c_str()) == 0; }

}  // namespace velmora
