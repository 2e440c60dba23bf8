#include "ui/FileDrop.h"

#include <ole2.h>
#include <shellapi.h>

#include "ui/ComObject.h"
#include "winbase/Window.h"

namespace velmora {

// A message-only window that runs the handler after the drop has returned.
class FileDropTarget::Deferral : public Window {
 public:
  explicit Deferral(FileDropHandler onDrop) : onDrop_(std::move(onDrop)) {
    Create({.className = "TFileDrop", .parent = HWND_MESSAGE});
  }

  void Post(std::vector<std::wstring> files) {
    pending_.push_back(std::move(files));
    PostMessageA(Handle(), kDropped, 0, 0);
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg != kDropped) return Window::HandleMessage(msg, wParam, lParam);
    if (pending_.empty()) return 0;
    const std::vector<std::wstring> files = std::move(pending_.front());
    pending_.erase(pending_.begin());
    if (onDrop_) onDrop_(files);
    return 0;
  }

 private:
  static constexpr UINT kDropped = WM_APP + 1;
  FileDropHandler onDrop_;
  std::vector<std::vector<std::wstring>> pending_;
};

class FileDropTarget::Target : public ComObject<IDropTarget, IID_IDropTarget> {
 public:
  explicit Target(Deferral* deferral) : deferral_(deferral) {}
  void Forget() { deferral_ = nullptr; }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC format = FilesFormat();
    accepts_ = data && data->QueryGetData(&format) == S_OK;
    return Effect(effect);
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override { return Effect(effect); }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    accepts_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    std::vector<std::wstring> files = accepts_ && data ? FilesOf(*data) : std::vector<std::wstring>();
    accepts_ = false;
    if (files.empty() || !deferral_) return Effect(effect, false);
    try {
      deferral_->Post(std::move(files));
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    return Effect(effect, true);
  }

 private:
  virtual ~Target() = default;

  static FORMATETC FilesFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

  HRESULT Effect(DWORD* effect) const { return Effect(effect, accepts_); }
  static HRESULT Effect(DWORD* effect, bool copy) {
    if (!effect) return E_INVALIDARG;
    *effect = copy && (*effect & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }

  static std::vector<std::wstring> FilesOf(IDataObject& data) {
    std::vector<std::wstring> files;
    FORMATETC format = FilesFormat();
    STGMEDIUM medium{};
    if (data.GetData(&format, &medium) != S_OK) return files;
    if (auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
      const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
      for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
        files.push_back(std::move(name));
      }
      GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    return files;
  }

  bool accepts_ = false;
  Deferral* deferral_;
};

FileDropTarget::FileDropTarget() = default;

FileDropTarget::~FileDropTarget() {
  Revoke();
}

bool FileDropTarget::Register(HWND hwnd, FileDropHandler onDrop) {
  Revoke();
  deferral_ = std::make_unique<Deferral>(std::move(onDrop));
  auto* target = new Target(deferral_.get());
  if (RegisterDragDrop(hwnd, target) != S_OK) {
    target->Release();
    deferral_.reset();
    return false;
  }
  hwnd_ = hwnd;
  target_ = target;
  return true;
}

void FileDropTarget::Revoke() {
  if (target_) {
    RevokeDragDrop(hwnd_);
    target_->Forget();
    target_->Release();
    target_ = nullptr;
    hwnd_ = nullptr;
  }
  deferral_.reset();
}

}  // namespace velmora
