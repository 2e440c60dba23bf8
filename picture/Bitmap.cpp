#include "picture/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "base/Errors.h"
#include "base/MemoryLimit.h"

namespace velmora {
namespace {

// No picture may take 2 GiB or more: a 32-bit process could never hold it, and
// refusing it before asking for memory keeps a damaged file header from
// reserving absurd amounts.
constexpr std::uint64_t kMaxPictureBytes = (std::uint64_t{1} << 31) - 1;

std::unique_ptr<Pixel[]> AllocatePixels(int width, int height) {
  const std::uint64_t count = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  if (count * sizeof(Pixel) > kMaxPictureBytes) throw OutOfMemoryError();
  if (count == 0) return nullptr;
  try {
    // Left uninitialised: every caller sets every pixel.
    return std::unique_ptr<Pixel[]>(new Pixel[static_cast<std::size_t>(count)]);
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryError();
  }
}

}  // namespace

void CheckPictureFits(std::int64_t width, std::int64_t height, std::uint64_t bytes) {
  if (bytes > kMaxPictureBytes || BlocksThatFit(bytes, 1) == 0) throw PictureTooLargeError(width, height);
}

Bitmap::Bitmap(int width, int height, std::unique_ptr<Pixel[]> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {}

Bitmap Bitmap::Uninitialized(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == 0 || height == 0) return Bitmap(width, height, nullptr);
  return Bitmap(width, height, AllocatePixels(width, height));
}

Bitmap::Bitmap(int width, int height, Pixel fill) : Bitmap(Uninitialized(width, height)) {
  Fill(fill);
}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      pixels_(std::move(other.pixels_)) {}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  if (this != &other) {
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    pixels_ = std::move(other.pixels_);
  }
  return *this;
}

void Bitmap::Reallocate(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (!pixels_ || PixelCount() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    *this = Uninitialized(width, height);
  }
  width_ = width;
  height_ = height;
}

void Bitmap::Assign(const Bitmap& source) {
  if (this == &source) return;
  Reallocate(source.width_, source.height_);
  if (source.PixelCount())
    std::memcpy(pixels_.get(), source.pixels_.get(), source.PixelCount() * sizeof(Pixel));
}

Bitmap Bitmap::Clone() const {
  Bitmap copy;
  copy.Assign(*this);
  return copy;
}

void Bitmap::Resize(int width, int height, Pixel fill) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  Bitmap resized = Uninitialized(width, height);
  if (resized.Empty()) {
    *this = std::move(resized);
    return;
  }
  const int keepWidth = std::min(width, width_);
  const int keepHeight = std::min(height, height_);
  for (int y = 0; y < height; ++y) {
    Pixel* row = resized.Row(y);
    int from = 0;
    if (y < keepHeight) {
      std::memcpy(row, Row(y), static_cast<std::size_t>(keepWidth) * sizeof(Pixel));
      from = keepWidth;
    }
    std::fill(row + from, row + width, fill);
  }
  *this = std::move(resized);
}

void Bitmap::Fill(Pixel pixel) {
  std::fill_n(pixels_.get(), PixelCount(), pixel);
}

}  // namespace velmora
