#include <cerrno>
#include <cstdio>

#include "base/Errors.h"
#include "base/FileReplace.h"

namespace velmora {

void MoveFileOver(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) throw InOutError(InOutCodeFromErrno(errno, false));
}

}  // namespace velmora
