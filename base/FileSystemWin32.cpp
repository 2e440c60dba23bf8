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

// Without MOVEFILE_REPLACE_EXISTING an existing target refuses the move.
bool RenameFileKeeping(const std::string& from, const std::string& to) {
  return MoveFileExW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(), 0) != 0;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace velmora
