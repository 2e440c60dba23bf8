#include <cerrno>
#include <cstdio>

#include "base/Errors.h"
#include "base/FileReplace.h"
#include "base/SystemError.h"

namespace velmora {

void MoveFileOver(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return;
  const int err = errno;
  throw InOutError(InOutCodeFromErrno(err, false),
                   Format("Cannot replace file \"%s\". %s", to.c_str(), LastSystemErrorText().c_str()));
}

}  // namespace velmora
