#include "imaging/Bitmap.h"

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

void CheckBytes(int width, int height) {
  const std::uint64_t count = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  if (count * sizeof(Pixel) > kMaxPictureBytes) throw OutOfMemoryError();
}

// Left uninitialised: every caller sets every pixel.
std::shared_ptr<Pixel[]> AllocateBand(std::size_t pixels) {
  try {
    return std::shared_ptr<Pixel[]>(new Pixel[pixels]);
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryError();
  }
}

std::vector<std::shared_ptr<Pixel[]>> AllocateBands(int width, int height) {
  CheckBytes(width, height);
  std::vector<std::shared_ptr<Pixel[]>> bands;
  if (width == 0 || height == 0) return bands;
  const int count = (height + Bitmap::kBandRows - 1) / Bitmap::kBandRows;
  try {
    bands.reserve(static_cast<std::size_t>(count));
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryError();
  }
  for (int band = 0; band < count; ++band) {
    const int rows = std::min(Bitmap::kBandRows, height - band * Bitmap::kBandRows);
    bands.push_back(AllocateBand(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows)));
  }
  return bands;
}

}  // namespace

void CheckPictureFits(std::int64_t width, std::int64_t height, std::uint64_t bytes) {
  if (bytes > kMaxPictureBytes || BlocksThatFit(bytes, 1) == 0) throw PictureTooLargeError(width, height);
}

Bitmap Bitmap::Uninitialized(int width, int height) {
  Bitmap bitmap;
  bitmap.bands_ = AllocateBands(std::max(width, 0), std::max(height, 0));
  bitmap.width_ = std::max(width, 0);
  bitmap.height_ = std::max(height, 0);
  return bitmap;
}

Bitmap::Bitmap(int width, int height, Pixel fill) : Bitmap(Uninitialized(width, height)) {
  Fill(fill);
}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      bands_(std::move(other.bands_)) {
  other.bands_.clear();
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  if (this != &other) {
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    bands_ = std::move(other.bands_);
    other.bands_.clear();
  }
  return *this;
}

int Bitmap::BandPixels(int band) const {
  return width_ * std::min(kBandRows, height_ - band * kBandRows);
}

void Bitmap::Unshare(Band& band, int index) {
  const auto pixels = static_cast<std::size_t>(BandPixels(index));
  Band own = AllocateBand(pixels);
  std::memcpy(own.get(), band.get(), pixels * sizeof(Pixel));
  band = std::move(own);
}

template <typename F>
bool Bitmap::EveryBand(int top, int bottom, F f) const {
  top = std::max(top, 0);
  bottom = std::min(bottom, bands_.empty() ? 0 : height_);  // a picture 0 pixels wide has no bands
  for (int index = top / kBandRows; top < bottom && index <= (bottom - 1) / kBandRows; ++index)
    if (!f(static_cast<std::size_t>(index))) return false;
  return true;
}

void Bitmap::Own(int top, int bottom) {
  EveryBand(top, bottom, [&](std::size_t index) {
    if (bands_[index].use_count() > 1) Unshare(bands_[index], static_cast<int>(index));
    return true;
  });
}

bool Bitmap::SharesRows(const Bitmap& other, int top, int bottom) const {
  return width_ == other.width_ && height_ == other.height_ &&
         EveryBand(top, bottom, [&](std::size_t index) { return bands_[index] == other.bands_[index]; });
}

void Bitmap::ShareRows(const Bitmap& source, int top, int bottom) {
  if (width_ != source.width_ || height_ != source.height_) return;
  EveryBand(top, bottom, [&](std::size_t index) {
    bands_[index] = source.bands_[index];
    return true;
  });
}

void Bitmap::ReleaseRows(int top, int bottom) {
  EveryBand(top, bottom, [&](std::size_t index) {
    bands_[index].reset();
    return true;
  });
}

int Bitmap::SharedBands() const {
  return static_cast<int>(std::count_if(bands_.begin(), bands_.end(), [](const Band& band) {
    return band.use_count() > 1;
  }));
}

void Bitmap::Reallocate(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width != width_ || height != height_) {
    *this = Uninitialized(width, height);
    return;
  }
  // Shared bands would be copied only to be overwritten: fresh ones will do.
  for (std::size_t index = 0; index < bands_.size(); ++index)
    if (bands_[index].use_count() > 1)
      bands_[index] = AllocateBand(static_cast<std::size_t>(BandPixels(static_cast<int>(index))));
}

void Bitmap::Assign(const Bitmap& source) {
  if (this == &source) return;
  std::vector<Band> shared;
  try {
    shared = source.bands_;
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryError();
  }
  bands_.swap(shared);
  width_ = source.width_;
  height_ = source.height_;
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
  CheckBytes(width, height);
  const int keepWidth = std::min(width, width_);
  const int keepHeight = std::min(height, height_);
  Bitmap resized;
  resized.width_ = width;
  resized.height_ = height;
  if (width > 0 && height > 0) {
    const int count = (height + kBandRows - 1) / kBandRows;
    try {
      resized.bands_.reserve(static_cast<std::size_t>(count));
    } catch (const std::bad_alloc&) {
      throw OutOfMemoryError();
    }
    for (int index = 0; index < count; ++index) {
      // Whole bands of kept rows at the same width are shared, not copied.
      if (width == width_ && (index + 1) * kBandRows <= keepHeight) {
        resized.bands_.push_back(bands_[static_cast<std::size_t>(index)]);
        continue;
      }
      resized.bands_.push_back(AllocateBand(static_cast<std::size_t>(resized.BandPixels(index))));
      for (int y = index * kBandRows, end = std::min(height, y + kBandRows); y < end; ++y) {
        Pixel* row = resized.Row(y);
        int from = 0;
        if (y < keepHeight) {
          std::memcpy(row, Row(y), static_cast<std::size_t>(keepWidth) * sizeof(Pixel));
          from = keepWidth;
        }
        std::fill(row + from, row + width, fill);
      }
    }
  }
  *this = std::move(resized);
}

void Bitmap::Fill(Pixel pixel) {
  for (std::size_t index = 0; index < bands_.size(); ++index) {
    const auto pixels = static_cast<std::size_t>(BandPixels(static_cast<int>(index)));
    // A shared band is left to its other holders rather than copied.
    if (bands_[index].use_count() > 1) bands_[index] = AllocateBand(pixels);
    std::fill_n(bands_[index].get(), pixels, pixel);
  }
}

}  // namespace velmora
