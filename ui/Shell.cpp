#include "ui/Shell.h"

#include <shellapi.h>

#include <cstring>

#include "shellutil/PathUtil.h"

namespace velmora {

void SetClipboardText(HWND owner, const std::string& text) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    // The clipboard owns the memory once it takes it.
    if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void ShellOpen(const std::string& target) {
  ShellExecuteA(nullptr, nullptr, ToCString(target), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace velmora
