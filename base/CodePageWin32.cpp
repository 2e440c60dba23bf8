#include <windows.h>

#include "base/CodePage.h"

namespace velmora {
namespace {

std::wstring ToWide(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string FromWide(UINT codePage, std::wstring_view wide, DWORD flags, BOOL* usedDefault) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                    nullptr, usedDefault);
  std::string text(static_cast<size_t>(n), '\0');
  if (n > 0)
    WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), text.data(), n, nullptr,
                        usedDefault);
  return text;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }
std::string WideToUtf8(std::wstring_view wide) { return FromWide(CP_UTF8, wide, 0, nullptr); }

std::string AnsiToUtf8(std::string_view ansi) { return WideToUtf8(ToWide(CP_ACP, ansi)); }

std::optional<std::string> Utf8ToAnsi(std::string_view utf8) {
  const std::wstring wide = Utf8ToWide(utf8);
  BOOL usedDefault = FALSE;
  std::string ansi = FromWide(CP_ACP, wide, WC_NO_BEST_FIT_CHARS, &usedDefault);
  // The way back must give the same characters: no default character, no look-alike.
  if (usedDefault || ToWide(CP_ACP, ansi) != wide) return std::nullopt;
  return ansi;
}

}  // namespace velmora
