#include <cerrno>
#include <cstring>

#include "base/SystemError.h"

namespace velmora {

std::string LastSystemErrorText() { return std::strerror(errno); }

}  // namespace velmora
