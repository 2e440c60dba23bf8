#pragma once
// Program-wide values shared by the windows.
#include <string>

namespace velmora {

// The directory holding the program and its files, ending with a backslash
// (empty until start-up has found it: files are then looked up in the current
// directory).
std::string& WorkDirectory();

// The work directory followed by a bare file name.
inline std::string WorkFile(const char* name) { return WorkDirectory() + name; }

}  // namespace velmora
