#include "ui/Shell.h"

#include <shellapi.h>

#include <cstring>

#include "base/CodePage.h"
#include "shellutil/PathUtil.h"

namespace velmora {

void SetClipboardText(HWND owner, const std::string& text) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  // Unicode text: the system offers it to programs that ask for ANSI text too.
  const std::wstring wide = Utf8ToWide(text);
  const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    std::memcpy(GlobalLock(memory), wide.c_str(), bytes);
    GlobalUnlock(memory);
    // The clipboard owns the memory once it takes it.
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = WideToUtf8(chars);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void ShellOpen(const std::string& target) {
  ShellExecuteW(nullptr, nullptr, Utf8ToWide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace velmora
