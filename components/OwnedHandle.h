#pragma once
// Move-only owners for the system handles the components keep: their icon
// image, their image list and their hidden windows.
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace velmora {

template <typename T, auto Free>
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(T handle) : handle_(handle) {}
  ~OwnedHandle() { Reset(); }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.Release()) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  T Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  T Release() { return std::exchange(handle_, nullptr); }
  void Reset(T handle = nullptr) {
    T old = std::exchange(handle_, handle);
    if (old) Free(old);
  }

 private:
  T handle_ = nullptr;
};

using OwnedIcon = OwnedHandle<HICON, &DestroyIcon>;
using OwnedImageList = OwnedHandle<HIMAGELIST, &ImageList_Destroy>;
using OwnedWindow = OwnedHandle<HWND, &DestroyWindow>;

}  // namespace velmora
