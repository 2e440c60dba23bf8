#pragma once
// Program-wide values shared by the windows: the work directory, its files,
// and the logon Run value that points there.
#include <string>

namespace velmora {

inline constexpr char kProgramFileName[] = "KVX.exe";
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";
inline constexpr char kRunValueName[] = "KVX";

// The directory holding the program and its files, ending with a backslash
// (empty until start-up has found it: files are then looked up in the current
// directory).
std::string& WorkDirectory();

// The work directory followed by a bare file name.
inline std::string WorkFile(const char* name) {
  return WorkDirectory() + name;
}

// The text without one pair of surrounding double quotes.
std::string StripQuotes(const std::string& text);

// The Run value's data for a work directory: the quoted path of the program,
// so that a path with blanks cannot be taken for another program.
std::string RunValueFor(const std::string& workDirectory);

// The work directory: the current directory when it holds the program, else
// the folder of the running program's file (`programPath`), which is what the
// Run value names when the system starts it at logon. Only when the system
// cannot tell that file, the directory of the Run value (the current user's
// first, the machine's second), empty when none is set. Ends with a backslash
// unless empty.
std::string FindWorkDirectory(const std::string& currentDirectory, bool programInCurrentDirectory,
                              const std::string& programPath, const std::string& userRunValue,
                              const std::string& machineRunValue);

// The name of the mutex that one running program holds for its work
// directory: the same for every spelling the file system takes for the same
// folder (letter case, a trailing backslash), and short whatever the path.
std::string InstanceMutexName(const std::string& workDirectory);

}  // namespace velmora
