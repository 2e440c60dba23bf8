#include "app/ScreenGrab.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "base/Errors.h"
#include "base/MemoryLimit.h"
#include "ui/PictureGdi.h"
#include "picture/Unit2.h"
#include "ui/Gdi.h"
#include "winbase/Handles.h"
#include "winbase/Window.h"

namespace velmora {
namespace {

// About a quarter of a megabyte of screen rows at a time.
constexpr int kBandBytes = 256 * 1024;

std::function<const Bitmap&()>& OfferedPicture() {
  static std::function<const Bitmap&()> picture;
  return picture;
}

// A screen-compatible bitmap of the offered picture, or 0.
HBITMAP RenderOffered() {
  if (!OfferedPicture()) return nullptr;
  const Bitmap& picture = OfferedPicture()();
  if (picture.Empty()) return nullptr;
  WindowDc screen(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, picture.Width(), picture.Height());
  if (!bitmap) return nullptr;
  MemoryDc memory(screen);
  if (!memory.Get()) {
    DeleteObject(bitmap);
    return nullptr;
  }
  memory.Select(bitmap);
  PaintPicture(memory.Get(), picture, {0, 0, picture.Width(), picture.Height()});
  memory.Restore();
  return bitmap;
}

// Hands the rendered bitmap to the open clipboard, which then owns it.
void SetRendered() {
  if (HBITMAP bitmap = RenderOffered(); bitmap && !SetClipboardData(CF_BITMAP, bitmap)) DeleteObject(bitmap);
}

// A message-only window that owns the clipboard while the grab is offered.
class GrabOwner : public Window {
 public:
  GrabOwner() { Create({.className = "VelmoraGrabOwner", .parent = HWND_MESSAGE}); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_RENDERFORMAT:
        // The asking program holds the clipboard open.
        if (wParam == CF_BITMAP) SetRendered();
        return 0;
      case WM_RENDERALLFORMATS:
        if (OpenClipboard(Handle())) {
          if (GetClipboardOwner() == Handle()) SetRendered();
          CloseClipboard();
        }
        return 0;
      case WM_DESTROYCLIPBOARD:
        OfferedPicture() = nullptr;
        return 0;
      default:
        return Window::HandleMessage(msg, wParam, lParam);
    }
  }
};

// Made at the first offer and kept for the program's life, like the clipboard
// offer it stands behind.
HWND OwnerWindow() {
  static GrabOwner owner;
  return owner.Handle();
}

}  // namespace

void GrabScreen(Bitmap& picture, const DesktopFrame& frame) {
  // A placed frame takes every monitor, into a picture of the layers' canvas;
  // otherwise the primary screen, from the layers' (0, 0).
  const bool placed = frame.Placed();
  const PixelRect shown =
      placed ? frame.Shown() : PixelRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const int width = placed ? frame.CanvasWidth() : shown.right;
  const int height = placed ? frame.CanvasHeight() : shown.bottom;
  // A screen grown beyond what the process can hold is refused before the grab.
  CheckScreenFits(Form2().LayerImages(), width, height, FreeScreenBands(width, height));
  // The screen comes over in bands through one small DIB section of the
  // layers' own format, which the system fills without a conversion: no
  // screen-sized temporary is made, and each band is still in the cache when
  // it is copied on.
  const int shownWidth = shown.Width();
  const int bandRows = std::clamp(kBandBytes / (shownWidth * 4), 1, shown.Height());
  WindowDc screen(nullptr);
  const BITMAPINFO info = TopDown32(shownWidth, bandRows);
  void* bits = nullptr;
  UniqueBitmap band(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDc memory(screen);
  if (!band || !bits || !memory.Get()) throw OutOfMemoryError();
  picture.Reallocate(width, height);
  // What lies beyond the monitors (the part of the layers no monitor shows now)
  // is white, as it is in the pictures grown to the canvas.
  if (shown != PixelRect{0, 0, width, height}) picture.Fill(kWhitePixel);
  memory.Select(band.Get());
  const auto* source = static_cast<const Pixel*>(bits);
  for (int top = shown.top; top < shown.bottom; top += bandRows) {
    const int rows = std::min(bandRows, shown.bottom - top);
    BitBlt(memory, 0, 0, shownWidth, rows, screen, shown.left + frame.originX, top + frame.originY,
           SRCCOPY | CAPTUREBLT);
    GdiFlush();
    // The unused byte of each pixel must be 0: the layers compare whole pixels.
    for (int y = 0; y < rows; ++y) {
      Pixel* out = picture.Row(top + y) + shown.left;
      const Pixel* in = source + static_cast<std::size_t>(y) * static_cast<std::size_t>(shownWidth);
      for (int x = 0; x < shownWidth; ++x) out[x] = in[x] & 0x00FFFFFFu;
    }
  }
  memory.Restore();
}

void OfferGrabOnClipboard(std::function<const Bitmap&()> picture) {
  const HWND owner = OwnerWindow();
  if (!owner || !OpenClipboard(owner)) return;
  EmptyClipboard();  // may end an earlier offer of this program's own
  OfferedPicture() = std::move(picture);
  SetClipboardData(CF_BITMAP, nullptr);
  CloseClipboard();
}

void KeepGrabOnClipboard() {
  if (OfferedPicture() && OwnerWindow()) SendMessageA(OwnerWindow(), WM_RENDERALLFORMATS, 0, 0);
}

}  // namespace velmora
