#pragma once
// The system's own words for the last failed file operation.
#include <string>

namespace velmora {

// The reason of the last failed system call of this thread, as the system
// words it (FormatMessage on Windows, strerror elsewhere), without a line end.
std::string LastSystemErrorText();

}  // namespace velmora
