#pragma once
// The text of the program's error box.
#include <string>

namespace velmora {

// The message as the error box shows it: a full stop is appended when the
// text does not already end with one.
std::string ErrorBoxText(const std::string& message);

}  // namespace velmora
