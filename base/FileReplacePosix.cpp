#include <cerrno>
#include <cstdio>

#include <unistd.h>

#include "base/Errors.h"
#include "base/FileReplace.h"
#include "base/SystemError.h"

namespace velmora {

int FlushToDisk(std::FILE* file) { return fsync(fileno(file)) == 0 ? 0 : errno; }

void MoveFileOver(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return;
  const int err = errno;
  throw InOutError(InOutCodeFromErrno(err, false),
                   Format("Cannot replace file \"%s\". %s", to.c_str(), LastSystemErrorText().c_str()));
}

}  // namespace velmora
