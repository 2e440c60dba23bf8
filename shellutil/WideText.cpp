#include "shellutil/WideText.h"

#include <windows.h>

namespace velmora {

std::wstring AnsiToWide(const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string WideToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string ansi(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), n, nullptr,
                      nullptr);
  return ansi;
}

std::optional<std::string> WideToAnsiExact(const std::wstring& text) {
  if (text.empty()) return std::string();
  // UTF-8 as the system code page writes everything, and takes no flags.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* replaced = utf8 ? nullptr : &usedDefault;
  const int length = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, replaced);
  if (n <= 0 || usedDefault) return std::nullopt;
  std::string ansi(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, flags, text.data(), length, ansi.data(), n, nullptr, replaced);
  if (usedDefault) return std::nullopt;
  return ansi;
}

}  // namespace velmora
