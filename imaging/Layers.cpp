#include "imaging/Layers.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/Errors.h"
#include "base/MemoryLimit.h"
#include "imaging/Translucent.h"

namespace velmora {
namespace {

// Four pixels at a time where the processor has SSE2 (every x86-64, and the
// 32-bit Windows build), a selecting loop elsewhere and for the last few.
void ComposeRow(const Pixel* __restrict background, const Pixel* __restrict drawing, Pixel* __restrict out,
                int count) {
  int x = 0;
#if defined(__SSE2__)
  const __m128i key = _mm_set1_epi32(static_cast<int>(kKeyPixel));
  const __m128i opacity = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  for (; x + 4 <= count; x += 4) {
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(drawing + x));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(background + x));
    // Translucent drawing is rare: its four pixels take the plain loop.
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(d, opacity), _mm_setzero_si128())) != 0xFFFF) {
      for (int i = x; i < x + 4; ++i)
        out[i] = drawing[i] != kKeyPixel ? Over(drawing[i], background[i]) : background[i];
      continue;
    }
    const __m128i isKey = _mm_cmpeq_epi32(d, key);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                     _mm_or_si128(_mm_and_si128(isKey, b), _mm_andnot_si128(isKey, d)));
  }
#endif
  for (; x < count; ++x) {
    const Pixel d = drawing[x], b = background[x];
    out[x] = d != kKeyPixel ? Over(d, b) : b;
  }
}

constexpr std::uint64_t kMaxLayerBytes = (std::uint64_t{1} << 31) - 1;

}  // namespace

std::uint64_t ScreenBandBytes(int width, int height) {
  return PictureBytes(width, std::min(height, Bitmap::kBandRows));
}

std::uint64_t ScreenBands(int height) {
  return (static_cast<std::uint64_t>(std::max(height, 0)) + Bitmap::kBandRows - 1) / Bitmap::kBandRows;
}

std::uint64_t FreeScreenBands(int width, int height) {
  const std::uint64_t band = ScreenBandBytes(width, height);
  return band ? BlocksThatFit(band, kScreenPictures * ScreenBands(height)) : 0;
}

void CheckScreenFits(const Layers& layers, int width, int height, std::uint64_t freeBands) {
  const std::uint64_t bytes = PictureBytes(width, height);
  std::uint64_t needed = kScreenPictures;
  // A layer of the same pixel count keeps its memory when it is replaced.
  for (const Bitmap* layer :
       {&layers.i1, &layers.i2, &layers.i4, &layers.i5, &layers.i3, &layers.i31, &layers.i41, &layers.i6})
    if (bytes && PictureBytes(layer->Width(), layer->Height()) == bytes) --needed;
  if (bytes > kMaxLayerBytes || freeBands < needed * ScreenBands(height))
    throw ScreenTooLargeError(width, height);
}

std::uint64_t LargestScreenPixels(const std::function<std::uint64_t(std::uint64_t bytes)>& blocksThatFit) {
  std::uint64_t fits = 0, fails = kMaxLayerBytes / sizeof(Pixel) + 1;
  while (fails - fits > 1) {
    const std::uint64_t pixels = fits + (fails - fits) / 2;
    (blocksThatFit(pixels * sizeof(Pixel)) >= kScreenPictures ? fits : fails) = pixels;
  }
  return fits;
}

void Grow(const Layers& layers, Bitmap& layer) {
  if (layer.Width() < layers.canvasWidth || layer.Height() < layers.canvasHeight) {
    layer.Resize(layers.canvasWidth, layers.canvasHeight);
  }
}

void GrowDrawingLayer(Layers& layers) {
  Bitmap& drawing = layers.i5;
  if (drawing.Width() >= layers.canvasWidth && drawing.Height() >= layers.canvasHeight) return;
  drawing.Resize(std::max(drawing.Width(), layers.canvasWidth),
                 std::max(drawing.Height(), layers.canvasHeight), kKeyPixel);
}

PixelRect CopyIntoDrawing(Bitmap& drawing, int x, int y, const Bitmap& from, const PixelRect& source) {
  const PixelRect written = CopyRect(drawing, x, y, from, source);
  for (int row = written.top; row < written.bottom; ++row) {
    Pixel* pixels = drawing.Row(row);
    for (int column = written.left; column < written.right; ++column) pixels[column] = DrawnPixel(pixels[column]);
  }
  return written;
}

bool OwnRowsForChange(Layers& layers, int top, int bottom, bool canvasFollows) {
  canvasFollows = canvasFollows && layers.i1.SharesRows(layers.i31, top, bottom);
  if (canvasFollows) layers.i1.ReleaseRows(top, bottom);
  try {
    for (Bitmap* layer : {&layers.i4, &layers.i5, &layers.i31}) layer->Own(top, bottom);
    if (!canvasFollows) layers.i1.Own(top, bottom);
  } catch (...) {
    if (canvasFollows) FollowScreen(layers, top, bottom);
    throw;
  }
  return canvasFollows;
}

void FollowScreen(Layers& layers, int top, int bottom) {
  layers.i1.ShareRows(layers.i31, top, bottom);
}

void Compose(Bitmap& composed, const Bitmap& background, const Bitmap& drawing) {
  composed.Reallocate(background.Width(), background.Height());
  ComposeRows(composed, background, drawing, 0, background.Height());
}

void ComposeRows(Bitmap& composed, const Bitmap& background, const Bitmap& drawing, int top, int bottom) {
  const int width = background.Width();
  const int overlayWidth = std::min(width, drawing.Width());
  const int overlayHeight = std::min(background.Height(), drawing.Height());
  for (int y = top; y < bottom; ++y) {
    Pixel* out = composed.Row(y);
    const Pixel* under = background.Row(y);
    int from = 0;
    if (y < overlayHeight) {
      ComposeRow(under, drawing.Row(y), out, overlayWidth);
      from = overlayWidth;
    }
    if (from < width)
      std::memcpy(out + from, under + from, static_cast<std::size_t>(width - from) * sizeof(Pixel));
  }
}

}  // namespace velmora
