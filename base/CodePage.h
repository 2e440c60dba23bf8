#pragma once
// The program's texts are UTF-8. Its files stay in the system's ANSI code page
// wherever everything in them fits it, so older versions still read them; a
// file holding a character the code page cannot write is UTF-8 with a
// byte-order mark. Elsewhere than Windows the ANSI code page is Windows-1252.
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// ANSI text as UTF-8.
std::string AnsiToUtf8(std::string_view ansi);
// UTF-8 text in the ANSI code page when the code page writes every character
// of it exactly (no replacement, no look-alike); nothing otherwise.
std::optional<std::string> Utf8ToAnsi(std::string_view utf8);

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// A text file's bytes as UTF-8: after a byte-order mark they are UTF-8, else ANSI.
std::string DecodeTextFile(std::string_view bytes);
// UTF-8 text as a text file's bytes: ANSI when it fits, else UTF-8 after a byte-order mark.
std::string EncodeTextFile(std::string_view utf8);

#ifdef _WIN32
// The UTF-16 text the system's wide calls take, and back. Invalid UTF-8
// bytes become U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
#endif

}  // namespace velmora
