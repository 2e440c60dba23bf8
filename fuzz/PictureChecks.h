#pragma once
// Properties every decoded picture has, checked by the picture targets.
#include <functional>

#include "base/Errors.h"
#include "fuzz/FuzzSupport.h"
#include "imaging/Bitmap.h"

namespace velmora::fuzz {

// Every pixel set by the reader, and only its colour bytes: the unused byte
// is 0 (the targets fill fresh memory with 0xBE, so a pixel the reader never
// wrote shows up here too).
inline void CheckPixels(const Bitmap& picture) {
  if (picture.Width() < 0 || picture.Height() < 0) Fail("a picture of negative size");
  if (picture.Empty()) return;
  for (int y = 0; y < picture.Height(); ++y) {
    const Pixel* row = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x) {
      if (row[x] >> 24) Fail("a pixel the reader did not set, or with its unused byte set");
    }
  }
}

inline bool SamePixels(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height() && !a.Empty(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (a.Row(y)[x] != b.Row(y)[x]) return false;
    }
  }
  return true;
}

// A picture that decodes whole also decodes reduced (as the preview and a
// placed wallpaper decode it) to a third of its size or more, and no larger.
inline void CheckReduced(const Bitmap& whole, const std::function<Bitmap(int minWidth, int minHeight)>& reduce) {
  if (whole.Width() < 16 || whole.Height() < 16) return;
  const int minWidth = whole.Width() / 3;
  const int minHeight = whole.Height() / 3;
  Bitmap reduced;
  try {
    reduced = reduce(minWidth, minHeight);
  } catch (const Error&) {
    Fail("a picture that decodes whole fails to decode reduced");
  }
  CheckPixels(reduced);
  if (reduced.Width() < minWidth || reduced.Height() < minHeight || reduced.Width() > whole.Width() ||
      reduced.Height() > whole.Height())
    Fail("the reduced picture is outside the sizes asked for");
}

}  // namespace velmora::fuzz
