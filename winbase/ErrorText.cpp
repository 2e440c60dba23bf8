#include "winbase/ErrorText.h"

namespace velmora {

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && message.back() == '.') return message;
  return message + '.';
}

}  // namespace velmora
