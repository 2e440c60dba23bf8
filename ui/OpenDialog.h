#pragma once
// The system's open dialogs: for files, explorer style, and for a folder.
#include <windows.h>

#include <string>
#include <vector>

namespace velmora {

struct OpenDialogProps {
  std::wstring filter{};  // "description|pattern|description|pattern"
  bool multiSelect = false;
  bool hideReadOnly = false;  // no "Open as read-only" box
  bool resizable = false;
};

class OpenDialog {
 public:
  explicit OpenDialog(OpenDialogProps props) : props_(std::move(props)) {}

  // Runs the dialog over `owner`. When the user confirms, the chosen files
  // (full paths, in the dialog's order) become Files() and the result is
  // true. Only existing files can be chosen; the current directory stays.
  bool Execute(HWND owner);
  const std::vector<std::wstring>& Files() const { return files_; }

 private:
  OpenDialogProps props_;
  std::vector<std::wstring> files_;
};

// The system's folder picker over `owner`, under `title`: the chosen folder's
// full path, or empty when the user cancels. The current directory stays.
std::wstring PickFolder(HWND owner, const std::wstring& title);

}  // namespace velmora
