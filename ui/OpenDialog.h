#pragma once
// The system's open dialog for files, explorer style.
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

}  // namespace velmora
