#pragma once
// The system's own words for the last failed file operation.
#include <string>

namespace velmora {

// The reason of the last failed system call of this thread, as the system
// words it (FormatMessage on Windows, strerror elsewhere), without a line end.
std::string LastSystemErrorText();

// The reason of a failed C-runtime file call (fopen, fwrite, fflush, fclose)
// whose errno was `err`: the system's words for its last error, or, where the
// system kept none (a short write leaves it 0), the system's words for the
// error errno names ("Disk full." for ENOSPC), or the runtime's own.
std::string FileErrorText(int err);

}  // namespace velmora
