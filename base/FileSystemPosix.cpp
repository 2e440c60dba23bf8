#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "base/FileSystem.h"

namespace velmora {

std::FILE* OpenFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

// A hard link is refused when the name is taken, where rename would replace.
bool RenameFileKeeping(const std::string& from, const std::string& to) {
  if (link(from.c_str(), to.c_str()) != 0) return false;
  return unlink(from.c_str()) == 0;
}

bool IsFolder(const std::string& path) {
  struct stat found;
  return stat(path.c_str(), &found) == 0 && S_ISDIR(found.st_mode);
}

}  // namespace velmora
