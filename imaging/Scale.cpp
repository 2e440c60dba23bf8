#include "imaging/Scale.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmora {
namespace {

// One source pixel's share in one result pixel. Along an axis the source
// pixel i spans [i * to, (i + 1) * to) and the result pixel j spans
// [j * from, (j + 1) * from); the share is their overlap, and the shares of
// one result pixel add up to `from`.
struct Share {
  int source;
  std::uint32_t weight;
};

struct Span {
  size_t first;  // into the shares
  size_t count;
};

struct Axis {
  std::vector<Share> shares{};
  std::vector<Span> spans{};  // one per result pixel
  std::uint32_t total = 0;    // the sum of one span's weights
};

// Growing: each result pixel mixes the two source pixels nearest its centre,
// by distance (a triangle filter), so edges ramp instead of stepping. Weights
// are in 1/kSteps.
constexpr std::uint32_t kSteps = 1024;
Axis GrowingAxis(int from, int to) {
  Axis axis{.total = kSteps};
  axis.spans.reserve(static_cast<size_t>(to));
  for (int j = 0; j < to; ++j) {
    // The centre of result pixel j in source pixels, in 1/(2 * to) units:
    // (j + 0.5) * from / to - 0.5.
    const std::int64_t centre = (2 * std::int64_t{j} + 1) * from - to;
    const std::int64_t unit = 2 * std::int64_t{to};
    const std::int64_t left = centre >= 0 ? centre / unit : -1;
    const auto right_weight =
        static_cast<std::uint32_t>(centre >= 0 ? (centre - left * unit) * kSteps / unit : (centre + unit) * kSteps / unit);
    const int a = static_cast<int>(std::clamp<std::int64_t>(left, 0, from - 1));
    const int b = static_cast<int>(std::clamp<std::int64_t>(left + 1, 0, from - 1));
    axis.spans.push_back({axis.shares.size(), 2});
    axis.shares.push_back({a, kSteps - right_weight});
    axis.shares.push_back({b, right_weight});
  }
  return axis;
}

Axis MakeAxis(int from, int to) {
  if (to > from) return GrowingAxis(from, to);
  Axis axis{.total = static_cast<std::uint32_t>(from)};
  axis.spans.reserve(static_cast<size_t>(to));
  for (int j = 0; j < to; ++j) {
    const std::int64_t begin = std::int64_t{j} * from, end = begin + from;
    const Span span{axis.shares.size(), 0};
    axis.spans.push_back(span);
    for (int i = static_cast<int>(begin / to); i < from && std::int64_t{i} * to < end; ++i) {
      const std::int64_t lo = std::max<std::int64_t>(begin, std::int64_t{i} * to);
      const std::int64_t hi = std::min<std::int64_t>(end, std::int64_t{i + 1} * to);
      if (hi > lo) axis.shares.push_back({i, static_cast<std::uint32_t>(hi - lo)});
    }
    axis.spans.back().count = axis.shares.size() - span.first;
  }
  return axis;
}

// The weights of each result pixel in 1/16384: a channel times the weights
// of one span stays far within 32 bits, and two weights fit the 16-bit lanes
// of SSE2's multiply-add. Rounding keeps each span's sum exactly 16384.
constexpr int kWeightBits = 14;
constexpr std::uint32_t kWeightOne = 1u << kWeightBits;

struct FixedAxis {
  std::vector<int> sources{};
  std::vector<std::int16_t> weights{};
  std::vector<Span> spans{};
};

FixedAxis Fixed(const Axis& axis) {
  FixedAxis fixed{.spans = axis.spans};
  fixed.sources.reserve(axis.shares.size());
  fixed.weights.reserve(axis.shares.size());
  for (const Span& span : axis.spans) {
    std::uint32_t sum = 0;
    size_t largest = span.first;
    for (size_t k = span.first; k < span.first + span.count; ++k) {
      const auto weight = static_cast<std::uint32_t>(
          (std::uint64_t{axis.shares[k].weight} * kWeightOne + axis.total / 2) / axis.total);
      fixed.sources.push_back(axis.shares[k].source);
      fixed.weights.push_back(static_cast<std::int16_t>(weight));
      sum += weight;
      if (axis.shares[k].weight > axis.shares[largest].weight) largest = k;
    }
    fixed.weights[largest] = static_cast<std::int16_t>(fixed.weights[largest] + static_cast<int>(kWeightOne) -
                                                       static_cast<int>(sum));
  }
  return fixed;
}

#if defined(__SSE2__)
// Two weights side by side, as the multiply-add takes them against two
// pixels' channels interleaved.
inline __m128i WeightPair(std::int16_t a, std::int16_t b) {
  return _mm_set1_epi32(static_cast<int>(static_cast<std::uint16_t>(a) | static_cast<std::uint32_t>(static_cast<std::uint16_t>(b)) << 16));
}

// Four 32-bit channel sums back to a pixel, rounded; the unused byte stays 0.
inline Pixel PackSum(__m128i sum) {
  const __m128i rounded = _mm_srli_epi32(_mm_add_epi32(sum, _mm_set1_epi32(kWeightOne / 2)), kWeightBits);
  const __m128i words = _mm_packs_epi32(rounded, rounded);
  return static_cast<Pixel>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
}
#endif

// One row to the new width.
void ScaleRow(const Pixel* in, Pixel* out, int width, const FixedAxis& across) {
  for (int x = 0; x < width; ++x) {
    const Span& span = across.spans[static_cast<size_t>(x)];
    const int* source = &across.sources[span.first];
    const std::int16_t* weight = &across.weights[span.first];
    size_t k = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    __m128i sum = zero;
    for (; k + 1 < span.count; k += 2) {
      const __m128i a = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(in[source[k]])), zero);
      const __m128i b = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(in[source[k + 1]])), zero);
      sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), WeightPair(weight[k], weight[k + 1])));
    }
    if (k < span.count) {
      const __m128i a = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(in[source[k]])), zero);
      sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_unpacklo_epi16(a, zero), WeightPair(weight[k], 0)));
    }
    out[x] = PackSum(sum) & 0x00FFFFFF;  // whatever a source's unused byte held
#else
    std::uint32_t blue = kWeightOne / 2, green = kWeightOne / 2, red = kWeightOne / 2;
    for (; k < span.count; ++k) {
      const Pixel p = in[source[k]];
      const auto w = static_cast<std::uint32_t>(weight[k]);
      blue += (p & 0xFF) * w;  // the unused byte is left out
      green += (p >> 8 & 0xFF) * w;
      red += (p >> 16 & 0xFF) * w;
    }
    out[x] = RgbPixel(static_cast<int>(red >> kWeightBits), static_cast<int>(green >> kWeightBits),
                      static_cast<int>(blue >> kWeightBits));
#endif
  }
}

// One result row from the source rows its span takes, as wide as they are.
void MixRows(const Bitmap& rows, const FixedAxis& down, int y, std::vector<std::uint32_t>& sums, Pixel* out) {
  const int width = rows.Width();
  const Span& span = down.spans[static_cast<size_t>(y)];
  const int* source = &down.sources[span.first];
  const std::int16_t* weight = &down.weights[span.first];
  int x = 0;
#if defined(__SSE2__)
  // Four pixels (sixteen channels) at a time, two source rows per multiply-add.
  const __m128i zero = _mm_setzero_si128();
  for (; x + 4 <= width; x += 4) {
    __m128i sum[4] = {zero, zero, zero, zero};
    for (size_t k = 0; k < span.count; k += 2) {
      const bool pair = k + 1 < span.count;
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows.Row(source[k]) + x));
      const __m128i b =
          pair ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows.Row(source[k + 1]) + x)) : zero;
      const __m128i weights = WeightPair(weight[k], pair ? weight[k + 1] : 0);
      const __m128i aLow = _mm_unpacklo_epi8(a, zero), aHigh = _mm_unpackhi_epi8(a, zero);
      const __m128i bLow = _mm_unpacklo_epi8(b, zero), bHigh = _mm_unpackhi_epi8(b, zero);
      sum[0] = _mm_add_epi32(sum[0], _mm_madd_epi16(_mm_unpacklo_epi16(aLow, bLow), weights));
      sum[1] = _mm_add_epi32(sum[1], _mm_madd_epi16(_mm_unpackhi_epi16(aLow, bLow), weights));
      sum[2] = _mm_add_epi32(sum[2], _mm_madd_epi16(_mm_unpacklo_epi16(aHigh, bHigh), weights));
      sum[3] = _mm_add_epi32(sum[3], _mm_madd_epi16(_mm_unpackhi_epi16(aHigh, bHigh), weights));
    }
    const __m128i half = _mm_set1_epi32(kWeightOne / 2);
    __m128i words[2];
    for (int i = 0; i < 2; ++i)
      words[i] = _mm_packs_epi32(_mm_srli_epi32(_mm_add_epi32(sum[2 * i], half), kWeightBits),
                                 _mm_srli_epi32(_mm_add_epi32(sum[2 * i + 1], half), kWeightBits));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(words[0], words[1]));
  }
#endif
  // The rest (all of it without SSE2): the same sums a channel at a time.
  const auto channels = static_cast<size_t>(width - x) * 4;
  if (channels == 0) return;
  std::fill(sums.begin(), sums.begin() + static_cast<long>(channels), kWeightOne / 2);
  for (size_t k = 0; k < span.count; ++k) {
    const auto* in = reinterpret_cast<const std::uint8_t*>(rows.Row(source[k]) + x);
    const auto w = static_cast<std::uint32_t>(weight[k]);
    for (size_t i = 0; i < channels; ++i) sums[i] += in[i] * w;
  }
  auto* bytes = reinterpret_cast<std::uint8_t*>(out + x);
  for (size_t i = 0; i < channels; ++i) bytes[i] = static_cast<std::uint8_t>(sums[i] >> kWeightBits);
}

}  // namespace

Bitmap ScaleSmooth(const Bitmap& source, int width, int height) {
  if (source.Empty()) return Bitmap(width, height, kWhitePixel);
  if (source.Width() == width && source.Height() == height) return source.Clone();
  const FixedAxis across = Fixed(MakeAxis(source.Width(), width));
  const FixedAxis down = Fixed(MakeAxis(source.Height(), height));
  Bitmap result = Bitmap::Uninitialized(width, height);
  if (height <= source.Height()) {
    // Shrinking the height, the columns go first: each result row is mixed
    // from its source rows and then brought to the new width, so the costlier
    // row pass runs on the fewer rows, and nothing else is kept.
    std::vector<std::uint32_t> sums(static_cast<size_t>(source.Width()) * 4);
    std::vector<Pixel> mixed(static_cast<size_t>(source.Width()));
    for (int y = 0; y < height; ++y) {
      MixRows(source, down, y, sums, mixed.data());
      ScaleRow(mixed.data(), result.Row(y), width, across);
    }
    return result;
  }
  // Growing it, each source row first goes to the new width, then the columns
  // to the new height.
  Bitmap rows = Bitmap::Uninitialized(width, source.Height());
  for (int y = 0; y < source.Height(); ++y) ScaleRow(source.Row(y), rows.Row(y), width, across);
  std::vector<std::uint32_t> sums(static_cast<size_t>(width) * 4);
  for (int y = 0; y < height; ++y) MixRows(rows, down, y, sums, result.Row(y));
  return result;
}

}  // namespace velmora
