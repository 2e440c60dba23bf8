#include "winbase/Handles.h"

namespace velmora {

WindowDc& WindowDc::operator=(WindowDc&& other) noexcept {
  if (this != &other) {
    Reset();
    window_ = std::exchange(other.window_, nullptr);
    dc_ = std::exchange(other.dc_, nullptr);
  }
  return *this;
}

UINT OwnedHandlesMessage() {
  static const UINT message = RegisterWindowMessageA("Velmora.OwnedHandles");
  return message;
}

LRESULT AnswerOwnedHandles(WPARAM kind) {
  if (kind != static_cast<WPARAM>(HandleKind::kGdi) && kind != static_cast<WPARAM>(HandleKind::kUser)) return 0;
  return OwnedHandles::Count(static_cast<HandleKind>(kind));
}

void WindowDc::Reset() {
  if (dc_) {
    ReleaseDC(window_, dc_);
    OwnedHandles::Add(HandleKind::kGdi, -1);
  }
  dc_ = nullptr;
  window_ = nullptr;
}

MemoryDc::MemoryDc(MemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {
  for (int i = 0; i < kSlots; ++i) original_[i] = std::exchange(other.original_[i], nullptr);
}

MemoryDc& MemoryDc::operator=(MemoryDc&& other) noexcept {
  if (this != &other) {
    Reset();
    dc_ = std::exchange(other.dc_, nullptr);
    for (int i = 0; i < kSlots; ++i) original_[i] = std::exchange(other.original_[i], nullptr);
  }
  return *this;
}

HGDIOBJ MemoryDc::Select(HGDIOBJ object) {
  HGDIOBJ previous = SelectObject(dc_, object);
  int slot = -1;
  switch (GetObjectType(object)) {
    case OBJ_BITMAP:
      slot = kBitmap;
      break;
    case OBJ_PEN:
    case OBJ_EXTPEN:
      slot = kPen;
      break;
    case OBJ_BRUSH:
      slot = kBrush;
      break;
    case OBJ_FONT:
      slot = kFont;
      break;
    default:
      break;
  }
  if (slot >= 0 && !original_[slot]) original_[slot] = previous;
  return previous;
}

void MemoryDc::Restore() {
  for (auto& original : original_) {
    if (original) SelectObject(dc_, original);
    original = nullptr;
  }
}

void MemoryDc::Reset() {
  if (!dc_) return;
  Restore();
  DeleteDC(dc_);
  OwnedHandles::Add(HandleKind::kGdi, -1);
  dc_ = nullptr;
}

}  // namespace velmora
