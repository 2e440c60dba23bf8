#pragma once
// Ctrl+Z and Ctrl+Y of a drawing session. A step (a stroke, an eraser drag, a
// stamped note, a pasted piece) keeps, for each small block of pixels it
// touched, what the composed, drawing and screen layers held there before it;
// undoing exchanges those pixels with the present ones, so the step then holds
// what redoing puts back. A block of one colour (the empty drawing, a plain
// wallpaper) is kept as that colour, and a block the same as an earlier
// layer's (the wallpaper where no window covers it) as a reference to it.
// Memory grows with the area the steps touched, never with whole layers, and
// stays under a limit by forgetting the oldest steps.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

#include "imaging/Layers.h"
#include "imaging/Raster.h"

namespace velmora {

class UndoHistory {
 public:
  static constexpr int kBlockSide = 8;
  static constexpr std::size_t kDefaultLimit = std::size_t{64} << 20;

  explicit UndoHistory(std::size_t limitBytes = kDefaultLimit) : limit_(limitBytes) {}

  // A new session, or a command that changes whole layers: nothing to undo.
  void Clear();

  // A step begins; until EndStep every change of the layers is announced
  // with Touch before it is made.
  void BeginStep();
  void Touch(const Layers& layers, const PixelRect& rect);
  // A step that touched nothing (a click without movement) is no step.
  void EndStep();
  // Numbered marks: the open step stamped mark `number`. Undoing the step
  // takes the number back and redoing it gives it again, so the next mark
  // goes on from the highest mark in place. Clear forgets every mark.
  void MarkStep(int number) { current_.mark = number; }
  int NextMark() const;
  // A step of one change within `rect`, made right after this call.
  void RecordChange(const Layers& layers, const PixelRect& rect);

  // Each returns the part of the visible canvas it changed, empty when there
  // was nothing to undo or redo. The canvas there shows the screen layer when
  // windows are shown, else the composed layer.
  PixelRect Undo(Layers& layers, bool showWindows);
  PixelRect Redo(Layers& layers, bool showWindows);

  std::size_t UndoCount() const { return undo_.size(); }
  std::size_t RedoCount() const { return redo_.size(); }
  // The pixel memory held by all steps.
  std::size_t Bytes() const { return bytes_; }

 private:
  struct Block {
    int left = 0;
    int top = 0;
    // How the block of the composed, drawing and screen layers is kept, and
    // the pixels each needs, in this order.
    std::array<std::uint8_t, 3> kinds{};
    std::vector<Pixel> pixels;
  };
  struct Step {
    std::vector<Block> blocks;
    std::size_t bytes = 0;
    int mark = 0;  // the numbered mark it stamped, if any
  };

  PixelRect Swap(Layers& layers, Step& step, bool showWindows);
  void DropRedo();
  void Trim();

  std::size_t limit_;
  std::size_t bytes_ = 0;
  std::deque<Step> undo_;
  std::deque<Step> redo_;
  Step current_;
  std::unordered_map<std::uint64_t, std::size_t> saved_;  // blocks of the open step
  bool open_ = false;
  bool overflow_ = false;  // the open step alone outgrew the limit
  std::vector<int> marks_;  // numbers of the marks in place, forgotten steps' too
};

}  // namespace velmora
