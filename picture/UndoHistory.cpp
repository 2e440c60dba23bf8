#include "picture/UndoHistory.h"

#include <algorithm>
#include <array>
#include <new>
#include <utility>

namespace velmora {
namespace {

constexpr int kSide = UndoHistory::kBlockSide;
constexpr int kBlockPixels = kSide * kSide;
constexpr int kLayerCount = 3;

// The layers a step restores, in the order their pixels are kept. The visible
// canvas is not kept: after a swap it shows what "Show windows" selects, so a
// view switched since the step is respected.
template <typename L>
auto KeptLayers(L& layers) {
  return std::array{&layers.i4, &layers.i5, &layers.i31};
}

PixelRect BlockRect(int left, int top) {
  return {left, top, left + kSide, top + kSide};
}

// Copies (save) or exchanges (swap) the part of a block inside the layer.
template <bool kExchange, typename B>
void Transfer(B& layer, const PixelRect& block, Pixel* kept) {
  const PixelRect part = Intersect(block, BoundsOf(layer));
  for (int y = part.top; y < part.bottom; ++y) {
    auto* row = layer.Row(y) + part.left;
    Pixel* keptRow = kept + (y - block.top) * kSide + (part.left - block.left);
    if constexpr (kExchange)
      std::swap_ranges(row, row + part.Width(), keptRow);
    else
      std::copy(row, row + part.Width(), keptRow);
  }
}

}  // namespace

void UndoHistory::Clear() {
  undo_.clear();
  redo_.clear();
  current_ = {};
  saved_ = {};
  bytes_ = 0;
  open_ = false;
  overflow_ = false;
}

void UndoHistory::BeginStep() {
  if (open_) EndStep();  // a press while stroking begins a new stroke
  open_ = true;
  overflow_ = false;
}

void UndoHistory::Touch(const Layers& layers, const PixelRect& rect) {
  if (!open_ || overflow_) return;
  PixelRect reach;
  for (const Bitmap* layer : KeptLayers(layers)) reach = Union(reach, BoundsOf(*layer));
  const PixelRect area = Intersect(rect, reach);
  if (area.Empty()) return;
  // Anything changed makes the undone steps unreachable.
  DropRedo();
  try {
    for (int by = area.top / kSide; by <= (area.bottom - 1) / kSide; ++by) {
      for (int bx = area.left / kSide; bx <= (area.right - 1) / kSide; ++bx) {
        const std::uint64_t key =
            std::uint64_t{static_cast<std::uint32_t>(bx)} << 32 | static_cast<std::uint32_t>(by);
        if (saved_.contains(key)) continue;
        Block block{bx * kSide, by * kSide, std::vector<Pixel>(kLayerCount * kBlockPixels)};
        const PixelRect bounds = BlockRect(block.left, block.top);
        Pixel* kept = block.pixels.data();
        for (const Bitmap* layer : KeptLayers(layers)) {
          Transfer<false>(*layer, bounds, kept);
          kept += kBlockPixels;
        }
        current_.blocks.push_back(std::move(block));
        saved_.emplace(key, current_.blocks.size() - 1);
        const std::size_t size = sizeof(Block) + kLayerCount * kBlockPixels * sizeof(Pixel);
        current_.bytes += size;
        bytes_ += size;
      }
    }
  } catch (const std::bad_alloc&) {
    overflow_ = true;
  }
  if (current_.bytes > limit_) overflow_ = true;
  if (overflow_) {
    // Too large to keep: the step will not be undoable, and neither will the
    // steps before it, whose pixels it covers.
    bytes_ -= current_.bytes;
    current_ = {};
    saved_ = {};
  } else {
    Trim();
  }
}

void UndoHistory::EndStep() {
  if (!open_) return;
  open_ = false;
  saved_ = {};
  if (overflow_) {
    Clear();
    return;
  }
  if (current_.blocks.empty()) return;
  current_.blocks.shrink_to_fit();
  undo_.push_back(std::exchange(current_, {}));
  Trim();
}

void UndoHistory::RecordChange(const Layers& layers, const PixelRect& rect) {
  BeginStep();
  Touch(layers, rect);
  EndStep();
}

PixelRect UndoHistory::Undo(Layers& layers, bool showWindows) {
  EndStep();
  if (undo_.empty()) return {};
  const PixelRect changed = Swap(layers, undo_.back(), showWindows);
  redo_.push_back(std::move(undo_.back()));
  undo_.pop_back();
  return changed;
}

PixelRect UndoHistory::Redo(Layers& layers, bool showWindows) {
  EndStep();
  if (redo_.empty()) return {};
  const PixelRect changed = Swap(layers, redo_.back(), showWindows);
  undo_.push_back(std::move(redo_.back()));
  redo_.pop_back();
  return changed;
}

PixelRect UndoHistory::Swap(Layers& layers, Step& step, bool showWindows) {
  PixelRect changed;
  for (Block& block : step.blocks) {
    const PixelRect bounds = BlockRect(block.left, block.top);
    Pixel* kept = block.pixels.data();
    for (Bitmap* layer : KeptLayers(layers)) {
      Transfer<true>(*layer, bounds, kept);
      kept += kBlockPixels;
    }
    changed =
        Union(changed, RestoreRect(layers.i1, showWindows ? layers.i31 : layers.i4, bounds, kWhitePixel));
  }
  return changed;
}

void UndoHistory::DropRedo() {
  for (const Step& step : redo_) bytes_ -= step.bytes;
  redo_.clear();
}

void UndoHistory::Trim() {
  while (bytes_ > limit_ && !undo_.empty()) {
    bytes_ -= undo_.front().bytes;
    undo_.pop_front();
  }
}

}  // namespace velmora
