#pragma once
// The clipboard's plain text and the shell's opening of documents and links.
#include <windows.h>

#include <string>

namespace velmora {

// Puts the text on the clipboard as plain ANSI text, owned by `owner`.
void SetClipboardText(HWND owner, const std::string& text);
// The clipboard's plain text, or an empty text when it holds none.
std::string ClipboardText();

// Asks the shell to open a document, web address or "mailto:" link with the
// program registered for it: no owner, no verb, no parameters, no directory,
// shown normally. The outcome is not examined.
void ShellOpen(const std::string& target);

}  // namespace velmora
