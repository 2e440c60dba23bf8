#include <cerrno>
#include <cstring>

#include "base/SystemError.h"

namespace velmora {

std::string LastSystemErrorText() { return std::strerror(errno); }

std::string FileErrorText(int err) { return std::strerror(err); }

}  // namespace velmora
