#pragma once
// Conversions between the program's ANSI texts and the system's wide texts.
#include <optional>
#include <string>

namespace velmora {

std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);
// The text in the system's code page when that code page can write every
// character of it exactly (no replacement, no look-alike); nothing otherwise.
std::optional<std::string> WideToAnsiExact(const std::wstring& text);

}  // namespace velmora
