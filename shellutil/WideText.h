#pragma once
// Conversions between the program's ANSI texts and the system's wide texts.
#include <string>

namespace velmora {

std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);

}  // namespace velmora
