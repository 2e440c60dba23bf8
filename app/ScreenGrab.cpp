#include "app/ScreenGrab.h"

#include <windows.h>

#include <utility>

#include "base/Errors.h"
#include "base/MemoryLimit.h"
#include "picture/Unit2.h"
#include "ui/Handles.h"

namespace velmora {
namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as the layers hold their rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

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
  const BITMAPINFO info = TopDown32(picture.Width(), picture.Height());
  SetDIBits(screen, bitmap, 0, static_cast<UINT>(picture.Height()), picture.Pixels(), &info, DIB_RGB_COLORS);
  return bitmap;
}

// Hands the rendered bitmap to the open clipboard, which then owns it.
void SetRendered() {
  if (HBITMAP bitmap = RenderOffered(); bitmap && !SetClipboardData(CF_BITMAP, bitmap)) DeleteObject(bitmap);
}

LRESULT CALLBACK OwnerProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_RENDERFORMAT:
      // The asking program holds the clipboard open.
      if (wParam == CF_BITMAP) SetRendered();
      return 0;
    case WM_RENDERALLFORMATS:
      if (OpenClipboard(window)) {
        if (GetClipboardOwner() == window) SetRendered();
        CloseClipboard();
      }
      return 0;
    case WM_DESTROYCLIPBOARD:
      OfferedPicture() = nullptr;
      return 0;
    default:
      return DefWindowProcA(window, msg, wParam, lParam);
  }
}

// A message-only window that owns the clipboard while the grab is offered.
HWND& OwnerWindow() {
  static HWND window = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VelmoraGrabOwner";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, nullptr);
  }();
  return window;
}

}  // namespace

Bitmap GrabScreen() {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  // A screen grown beyond what the process can hold is refused before the grab.
  CheckScreenFits(Form2().LayerImages(), width, height, BlocksThatFit(PictureBytes(width, height), kScreenPictures));
  WindowDc screen(nullptr);
  UniqueBitmap grab(CreateCompatibleBitmap(screen, width, height));
  MemoryDc memory(screen);
  if (!grab || !memory.Get()) throw OutOfMemoryError();
  memory.Select(grab.Get());
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
  memory.Restore();

  Bitmap picture = Bitmap::Uninitialized(width, height);
  BITMAPINFO info = TopDown32(width, height);
  GetDIBits(memory, grab.Get(), 0, static_cast<UINT>(height), picture.Row(0), &info, DIB_RGB_COLORS);
  // The unused byte of each pixel must be 0: the layers compare whole pixels.
  Pixel* pixels = picture.Pixels();
  for (std::size_t i = 0, count = picture.PixelCount(); i < count; ++i) pixels[i] &= 0x00FFFFFFu;
  return picture;
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
