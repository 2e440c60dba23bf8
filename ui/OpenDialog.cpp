#include "ui/OpenDialog.h"

#include <commdlg.h>
#include <shobjidl.h>

#include <memory>

#include "base/Errors.h"
#include "ui/DialogText.h"

namespace velmora {
namespace {

// Room for a few thousand names chosen at once.
constexpr size_t kBufferLength = 1 << 16;

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <class Interface>
using ComPtr = std::unique_ptr<Interface, ComRelease>;

[[noreturn]] void ThrowFolderDialogError(HRESULT result) {
  throw Error(Format("The folder dialog failed (error 0x%lX)", static_cast<unsigned long>(result)));
}

}  // namespace

std::wstring PickFolder(HWND owner, const std::wstring& title) {
  IFileOpenDialog* made = nullptr;
  HRESULT result = CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                    reinterpret_cast<void**>(&made));
  if (FAILED(result)) ThrowFolderDialogError(result);
  const ComPtr<IFileOpenDialog> dialog(made);
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  // The program finds its files through the current directory when it has
  // no work directory, so the dialog must not move it.
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR);
  dialog->SetTitle(title.c_str());
  result = dialog->Show(owner);
  if (result == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return {};
  if (FAILED(result)) ThrowFolderDialogError(result);
  IShellItem* chosen = nullptr;
  result = dialog->GetResult(&chosen);
  if (FAILED(result)) ThrowFolderDialogError(result);
  const ComPtr<IShellItem> item(chosen);
  wchar_t* path = nullptr;
  result = item->GetDisplayName(SIGDN_FILESYSPATH, &path);
  if (FAILED(result)) ThrowFolderDialogError(result);
  std::wstring folder(path);
  CoTaskMemFree(path);
  return folder;
}

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
