#include "imaging/Scale.h"

#include <algorithm>
#include <cstdint>
#include <vector>

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

// A weighted sum per channel; 64 bits, since weight × 255 × the number of
// shares can pass 32 bits for a picture many thousand pixels wide.
struct Sum {
  std::uint64_t red = 0, green = 0, blue = 0;
  void Add(Pixel p, std::uint32_t weight) {
    red += std::uint64_t{p >> 16 & 0xFF} * weight;
    green += std::uint64_t{p >> 8 & 0xFF} * weight;
    blue += std::uint64_t{p & 0xFF} * weight;
  }
  Pixel Average(std::uint64_t total) const {
    const auto channel = [total](std::uint64_t sum) { return static_cast<int>((sum + total / 2) / total); };
    return RgbPixel(channel(red), channel(green), channel(blue));
  }
};

}  // namespace

Bitmap ScaleSmooth(const Bitmap& source, int width, int height) {
  if (source.Empty()) return Bitmap(width, height, kWhitePixel);
  if (source.Width() == width && source.Height() == height) return source.Clone();
  const Axis across = MakeAxis(source.Width(), width);
  const Axis down = MakeAxis(source.Height(), height);

  // First each source row to the new width, then the columns to the new height.
  Bitmap rows = Bitmap::Uninitialized(width, source.Height());
  for (int y = 0; y < source.Height(); ++y) {
    const Pixel* in = source.Row(y);
    Pixel* out = rows.Row(y);
    for (int x = 0; x < width; ++x) {
      const Span& span = across.spans[static_cast<size_t>(x)];
      Sum sum;
      for (size_t k = span.first; k < span.first + span.count; ++k)
        sum.Add(in[across.shares[k].source], across.shares[k].weight);
      out[x] = sum.Average(across.total);
    }
  }
  Bitmap result = Bitmap::Uninitialized(width, height);
  std::vector<Sum> sums(static_cast<size_t>(width));
  for (int y = 0; y < height; ++y) {
    const Span& span = down.spans[static_cast<size_t>(y)];
    std::fill(sums.begin(), sums.end(), Sum{});
    for (size_t k = span.first; k < span.first + span.count; ++k) {
      const Pixel* in = rows.Row(down.shares[k].source);
      for (int x = 0; x < width; ++x) sums[static_cast<size_t>(x)].Add(in[x], down.shares[k].weight);
    }
    Pixel* out = result.Row(y);
    for (int x = 0; x < width; ++x) out[x] = sums[static_cast<size_t>(x)].Average(down.total);
  }
  return result;
}

}  // namespace velmora
