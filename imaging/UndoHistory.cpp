#include "imaging/UndoHistory.h"

#include <algorithm>
#include <array>
#include <initializer_list>
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

template <typename B>
std::size_t BlockBytes(const B& block) {
  return sizeof(B) + block.pixels.size() * sizeof(Pixel);
}

// The three layers' blocks, kSide × kSide pixels each, one after another.
using BlockPixels = std::array<Pixel, kLayerCount * kBlockPixels>;

// How a layer's block is kept: all its pixels, its one colour, or nothing
// because it equals the block of an earlier layer (kSameAs + that layer).
enum Kind : std::uint8_t { kWhole, kOneColour, kSameAs };

// Reads the part of a block inside the layer. Beyond the layer's edge the
// block repeats the first pixel inside, so that such a block of one colour
// still counts as one.
void Gather(const Bitmap& layer, const PixelRect& block, Pixel* out) {
  const PixelRect part = Intersect(block, BoundsOf(layer));
  std::fill(out, out + kBlockPixels, part.Empty() ? Pixel{0} : layer.Row(part.top)[part.left]);
  for (int y = part.top; y < part.bottom; ++y) {
    const Pixel* row = layer.Row(y) + part.left;
    std::copy(row, row + part.Width(), out + (y - block.top) * kSide + (part.left - block.left));
  }
}

// Writes the part of a block inside the layer.
void Scatter(Bitmap& layer, const PixelRect& block, const Pixel* in) {
  const PixelRect part = Intersect(block, BoundsOf(layer));
  for (int y = part.top; y < part.bottom; ++y) {
    const Pixel* from = in + (y - block.top) * kSide + (part.left - block.left);
    std::copy(from, from + part.Width(), layer.Row(y) + part.left);
  }
}

void GatherAll(const Layers& layers, const PixelRect& bounds, BlockPixels& out) {
  Pixel* next = out.data();
  for (const Bitmap* layer : KeptLayers(layers)) {
    Gather(*layer, bounds, next);
    next += kBlockPixels;
  }
}

// Sets the block's kinds and pixels from the layers' pixels; on failure the
// block is unchanged.
void Encode(const BlockPixels& from, std::array<std::uint8_t, kLayerCount>& kinds,
            std::vector<Pixel>& pixels) {
  std::array<std::uint8_t, kLayerCount> chosen{};
  std::size_t count = 0;
  for (int i = 0; i < kLayerCount; ++i) {
    const Pixel* block = from.data() + i * kBlockPixels;
    chosen[i] = kWhole;
    for (int j = 0; j < i && chosen[i] == kWhole; ++j)
      if (std::equal(block, block + kBlockPixels, from.data() + j * kBlockPixels)) chosen[i] = kSameAs + j;
    if (chosen[i] == kWhole && std::all_of(block, block + kBlockPixels, [&](Pixel p) { return p == *block; }))
      chosen[i] = kOneColour;
    count += chosen[i] == kWhole ? kBlockPixels : chosen[i] == kOneColour ? 1 : 0;
  }
  std::vector<Pixel> kept(count);
  auto next = kept.begin();
  for (int i = 0; i < kLayerCount; ++i) {
    const Pixel* block = from.data() + i * kBlockPixels;
    if (chosen[i] == kWhole) next = std::copy(block, block + kBlockPixels, next);
    if (chosen[i] == kOneColour) *next++ = *block;
  }
  kinds = chosen;
  pixels = std::move(kept);
}

void Decode(const std::array<std::uint8_t, kLayerCount>& kinds, const std::vector<Pixel>& pixels,
            BlockPixels& to) {
  auto next = pixels.begin();
  for (int i = 0; i < kLayerCount; ++i) {
    Pixel* block = to.data() + i * kBlockPixels;
    if (kinds[i] == kWhole) {
      std::copy(next, next + kBlockPixels, block);
      next += kBlockPixels;
    } else if (kinds[i] == kOneColour) {
      std::fill(block, block + kBlockPixels, *next++);
    } else {
      const Pixel* same = to.data() + (kinds[i] - kSameAs) * kBlockPixels;
      std::copy(same, same + kBlockPixels, block);
    }
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
  marks_.clear();
}

int UndoHistory::NextMark() const {
  return marks_.empty() ? 1 : *std::max_element(marks_.begin(), marks_.end()) + 1;
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
        Block block;
        block.left = bx * kSide;
        block.top = by * kSide;
        BlockPixels present;
        GatherAll(layers, BlockRect(block.left, block.top), present);
        Encode(present, block.kinds, block.pixels);
        const std::size_t size = BlockBytes(block);
        current_.blocks.push_back(std::move(block));
        saved_.emplace(key, current_.blocks.size() - 1);
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
  // A mark too large to undo is in place all the same.
  if (current_.mark) marks_.push_back(current_.mark);
  if (overflow_) {
    std::vector<int> marks = std::move(marks_);
    Clear();
    marks_ = std::move(marks);
    return;
  }
  if (current_.blocks.empty()) {
    current_ = {};
    return;
  }
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
  if (const int mark = undo_.back().mark) {
    const auto placed = std::find(marks_.begin(), marks_.end(), mark);
    if (placed != marks_.end()) marks_.erase(placed);
  }
  redo_.push_back(std::move(undo_.back()));
  undo_.pop_back();
  return changed;
}

PixelRect UndoHistory::Redo(Layers& layers, bool showWindows) {
  EndStep();
  if (redo_.empty()) return {};
  const PixelRect changed = Swap(layers, redo_.back(), showWindows);
  if (const int mark = redo_.back().mark) marks_.push_back(mark);
  undo_.push_back(std::move(redo_.back()));
  redo_.pop_back();
  return changed;
}

PixelRect UndoHistory::Swap(Layers& layers, Step& step, bool showWindows) {
  // What the layers hold now is kept, and the rows written made the layers'
  // own, before any layer changes: running out of memory leaves all as it was.
  std::vector<Block> present(step.blocks.size());
  PixelRect rows;
  for (std::size_t i = 0; i < step.blocks.size(); ++i) {
    const Block& block = step.blocks[i];
    BlockPixels pixels;
    GatherAll(layers, BlockRect(block.left, block.top), pixels);
    present[i].left = block.left;
    present[i].top = block.top;
    Encode(pixels, present[i].kinds, present[i].pixels);
    rows = Union(rows, BlockRect(block.left, block.top));
  }
  const bool alike = OwnRowsForChange(layers, rows.top, rows.bottom, showWindows);

  PixelRect changed;
  for (std::size_t i = 0; i < step.blocks.size(); ++i) {
    Block& block = step.blocks[i];
    const PixelRect bounds = BlockRect(block.left, block.top);
    BlockPixels kept;
    Decode(block.kinds, block.pixels, kept);
    const Pixel* next = kept.data();
    for (Bitmap* layer : KeptLayers(layers)) {
      Scatter(*layer, bounds, next);
      next += kBlockPixels;
    }
    changed = Union(
        changed, alike ? Intersect(bounds, BoundsOf(layers.i1))
                       : RestoreRect(layers.i1, showWindows ? layers.i31 : layers.i4, bounds, kWhitePixel));
    step.bytes += BlockBytes(present[i]) - BlockBytes(block);
    bytes_ += BlockBytes(present[i]) - BlockBytes(block);
    block = std::move(present[i]);
  }
  if (alike) FollowScreen(layers, rows.top, rows.bottom);
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
