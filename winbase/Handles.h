#pragma once
// Move-only owners of system handles: GDI objects, DCs, icons, menus,
// registry keys, image lists and plain windows. Each releases its handle exactly once; copying is deleted.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <utility>

namespace velmora {

// How many system objects the wrappers own right now, by the system's kinds:
// GDI objects (bitmaps, brushes, fonts, pens, regions, DCs, image lists) and
// USER objects (windows, icons, menus). A count that climbs over a long run
// is a leak; any process can ask through OwnedHandlesMessage.
enum class HandleKind { kNone, kGdi, kUser };

class OwnedHandles {
 public:
  static void Add(HandleKind kind, long delta) noexcept {
    if (kind != HandleKind::kNone) counts_[static_cast<int>(kind)].fetch_add(delta, std::memory_order_relaxed);
  }
  static long Count(HandleKind kind) noexcept { return counts_[static_cast<int>(kind)].load(); }

 private:
  static inline std::atomic<long> counts_[3] = {};
};

// The registered message "Velmora.OwnedHandles": sent to any window of the
// program with wParam 1 (GDI) or 2 (USER), it answers that kind's count.
UINT OwnedHandlesMessage();
LRESULT AnswerOwnedHandles(WPARAM kind);

template <class Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) { Counted(handle_, 1); }
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, Handle{});
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  // Gives up ownership without closing.
  Handle Release() {
    Counted(handle_, -1);
    return std::exchange(handle_, Handle{});
  }
  void Reset(Handle handle = Handle{}) {
    // The owner lets go before closing, so code that the close runs (a window's
    // destruction messages) never sees a handle on its way out.
    const Handle old = std::exchange(handle_, handle);
    Counted(handle, 1);
    if (old != Handle{}) {
      Counted(old, -1);
      Traits::Close(old);
    }
  }

 private:
  static void Counted(Handle handle, long delta) noexcept {
    if (handle != Handle{}) OwnedHandles::Add(Traits::kKind, delta);
  }
  Handle handle_{};
};

template <class T>
struct GdiObjectTraits {
  using Handle = T;
  static constexpr HandleKind kKind = HandleKind::kGdi;
  static void Close(T handle) { DeleteObject(handle); }
};
struct IconTraits {
  using Handle = HICON;
  static constexpr HandleKind kKind = HandleKind::kUser;
  static void Close(HICON handle) { DestroyIcon(handle); }
};
struct MenuTraits {
  using Handle = HMENU;
  static constexpr HandleKind kKind = HandleKind::kUser;
  static void Close(HMENU handle) { DestroyMenu(handle); }
};
struct RegKeyTraits {
  using Handle = HKEY;
  static constexpr HandleKind kKind = HandleKind::kNone;
  static void Close(HKEY handle) { RegCloseKey(handle); }
};
struct ImageListTraits {
  using Handle = HIMAGELIST;
  static constexpr HandleKind kKind = HandleKind::kGdi;
  static void Close(HIMAGELIST handle) { ImageList_Destroy(handle); }
};
struct WindowTraits {
  using Handle = HWND;
  static constexpr HandleKind kKind = HandleKind::kUser;
  static void Close(HWND handle) { DestroyWindow(handle); }
};

using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;

// The client-area DC of a window (GetDC), released on destruction.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {
    if (dc_) OwnedHandles::Add(HandleKind::kGdi, 1);
  }
  ~WindowDc() { Reset(); }
  WindowDc(WindowDc&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&& other) noexcept;
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }
  void Reset();

 private:
  HWND window_;
  HDC dc_;
};

// A memory DC compatible with `reference` (the screen when null). Objects put
// in with Select are swapped out for the DC's originals before it is deleted,
// so a bitmap selected here can be deleted once the DC is gone.
class MemoryDc {
 public:
  explicit MemoryDc(HDC reference = nullptr) : dc_(CreateCompatibleDC(reference)) {
    if (dc_) OwnedHandles::Add(HandleKind::kGdi, 1);
  }
  ~MemoryDc() { Reset(); }
  MemoryDc(MemoryDc&& other) noexcept;
  MemoryDc& operator=(MemoryDc&& other) noexcept;
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }
  // Selects the object and returns the one it replaced.
  HGDIOBJ Select(HGDIOBJ object);
  // Puts the original objects back.
  void Restore();
  void Reset();

 private:
  enum Slot { kBitmap, kPen, kBrush, kFont, kSlots };
  HDC dc_;
  HGDIOBJ original_[kSlots] = {};
};

// Selects an object into any DC for one scope and then puts the previous one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace velmora
