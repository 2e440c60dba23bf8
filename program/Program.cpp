#include "program/Program.h"

#include <cstdint>
#include <cstdio>

#include "shellutil/PathUtil.h"

namespace velmora {

std::string& WorkDirectory() {
  static std::string directory;
  return directory;
}

std::string StripQuotes(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
  return text;
}

std::string RunValueFor(const std::string& workDirectory) {
  return "\"" + workDirectory + kProgramFileName + "\"";
}

std::string FindWorkDirectory(const std::string& currentDirectory, bool programInCurrentDirectory,
                              const std::string& programPath, const std::string& userRunValue,
                              const std::string& machineRunValue) {
  if (programInCurrentDirectory) return currentDirectory + "\\";
  if (programPath.find('\\') != std::string::npos) return DirectoryOf(programPath);
  const std::string& run = userRunValue.empty() ? machineRunValue : userRunValue;
  return DirectoryOf(StripQuotes(run));
}

std::string InstanceMutexName(const std::string& workDirectory) {
  std::string folder = workDirectory;
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  // FNV-1a over the path in capitals, as the file system compares names.
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : folder) {
    const unsigned char byte = c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c == '/' ? '\\' : c;
    hash = (hash ^ byte) * 1099511628211ull;
  }
  char name[48];
  std::snprintf(name, sizeof name, "Local\\Velmora-%016llx", static_cast<unsigned long long>(hash));
  return name;
}

}  // namespace velmora
