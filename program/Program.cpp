#include "program/Program.h"

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
                              const std::string& userRunValue, const std::string& machineRunValue) {
  if (programInCurrentDirectory) return currentDirectory + "\\";
  const std::string& run = userRunValue.empty() ? machineRunValue : userRunValue;
  return DirectoryOf(StripQuotes(run));
}

}  // namespace velmora
