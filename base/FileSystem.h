#pragma once
// Files named by UTF-8 paths, the program's own text. On Windows the names go
// to the system's wide calls, so a folder of any script can be used.
#include <cstdio>
#include <string>

namespace velmora {

// std::fopen for a UTF-8 path; errno tells the reason of a failure.
std::FILE* OpenFile(const std::string& path, const char* mode);
// std::remove for a UTF-8 path; true when the file is gone.
bool RemoveFile(const std::string& path);
// Gives the file at `from` the name `to`, never replacing a file of that name;
// true when done.
bool RenameFileKeeping(const std::string& from, const std::string& to);
// Whether the path names an existing folder.
bool IsFolder(const std::string& path);

}  // namespace velmora
