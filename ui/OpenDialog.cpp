#include "ui/OpenDialog.h"

#include <commdlg.h>

#include "base/Errors.h"
#include "ui/DialogText.h"

namespace velmora {
namespace {

// Room for a few thousand names chosen at once.
constexpr size_t kBufferLength = 1 << 16;

}  // namespace

bool OpenDialog::Execute(HWND owner) {
  const std::wstring filter = FilterBuffer(props_.filter);
  std::wstring buffer(kBufferLength, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  // The program finds its files through the current directory when it has
  // no work directory, so the dialog must not move it.
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR |
                 (props_.multiSelect ? OFN_ALLOWMULTISELECT : 0) |
                 (props_.hideReadOnly ? OFN_HIDEREADONLY : 0) | (props_.resizable ? OFN_ENABLESIZING : 0);
  if (!GetOpenFileNameW(&dialog)) {
    if (const DWORD error = CommDlgExtendedError())
      throw Error(Format("The open dialog failed (error 0x%lX)", static_cast<unsigned long>(error)));
    return false;  // cancelled
  }
  files_ = SplitOpenFileNames(buffer);
  return !files_.empty();
}

}  // namespace velmora
