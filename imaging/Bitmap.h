#pragma once
// A picture in memory: top-down rows of 32-bit pixels with the bytes blue,
// green, red, unused, as a 32-bit top-down device-independent bitmap lays them
// out, so the window can paint straight from the pixels.
//
// The rows are held in bands of kBandRows rows. A copy shares its bands with
// the original, and a band is copied only when one of them first writes to it
// (any non-const row access). So the session's snapshots cost nothing until
// the user draws, and then only the bands the strokes reach.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace velmora {

// One pixel as a 32-bit value 0x00RRGGBB (bytes blue, green, red, 0 in
// memory). The unused byte is 0, so equal colours are equal values; only the
// drawing layer's translucent pixels keep their opacity there (Translucent.h).
using Pixel = std::uint32_t;

// A colour value of the program (0x00BBGGRR) as a pixel, and back.
constexpr Pixel PixelOf(std::uint32_t color) {
  return (color & 0xFFu) << 16 | (color & 0xFF00u) | (color >> 16 & 0xFFu);
}
constexpr std::uint32_t ColorOf(Pixel pixel) {
  return (pixel & 0xFFu) << 16 | (pixel & 0xFF00u) | (pixel >> 16 & 0xFFu);
}
constexpr Pixel RgbPixel(int red, int green, int blue) {
  return static_cast<Pixel>(red & 0xFF) << 16 | static_cast<Pixel>(green & 0xFF) << 8 |
         static_cast<Pixel>(blue & 0xFF);
}

// The key colour 12345678: in the drawing layer it marks a pixel where nothing
// is drawn.
inline constexpr std::uint32_t kKeyColor = 12345678;
inline constexpr Pixel kKeyPixel = PixelOf(kKeyColor);
// A drawn pixel as the drawing layer keeps it: one whose colour is the key
// colour (a pasted piece, a note, a blend may give it) would be saved as
// nothing drawn, so its blue goes one step up, which no eye tells apart. A
// translucent pixel keeps its opacity.
constexpr Pixel DrawnPixel(Pixel pixel) {
  return (pixel & 0x00FFFFFFu) == kKeyPixel ? pixel + 1 : pixel;
}
inline constexpr Pixel kWhitePixel = 0x00FFFFFF;
inline constexpr Pixel kBlackPixel = 0;

// The bytes of a picture's pixels.
constexpr std::uint64_t PictureBytes(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 ? static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4 : 0;
}

// Refuses a picture file of `width` × `height` pixels, before anything large
// is allocated, when the `bytes` its reading needs (at least its pixels)
// reach 2 GiB or more than the process can still allocate in one block: raises
// PictureTooLargeError, which names the size.
void CheckPictureFits(std::int64_t width, std::int64_t height, std::uint64_t bytes);

class Bitmap {
 public:
  Bitmap() = default;
  // A picture filled with one colour. Raises OutOfMemoryError when the pixels
  // cannot be had.
  Bitmap(int width, int height, Pixel fill);
  // A picture whose pixels are left for the caller to set.
  static Bitmap Uninitialized(int width, int height);

  Bitmap(Bitmap&& other) noexcept;
  Bitmap& operator=(Bitmap&& other) noexcept;
  // Copies are explicit (Assign, Clone), so a whole-layer copy is never an
  // accident.
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  // Makes this picture a copy of another: later writes to either do not
  // change the other. The pixels are shared until then. On failure this
  // picture is unchanged.
  void Assign(const Bitmap& source);
  Bitmap Clone() const;

  // Gives the picture a new size, its pixels left for the caller to set,
  // keeping the memory it does not share when the size agrees. On failure this
  // picture is unchanged.
  void Reallocate(int width, int height);

  // Sets the size keeping the pixels at the top-left; new pixels get `fill`.
  // On failure this picture is unchanged.
  void Resize(int width, int height, Pixel fill = kWhitePixel);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  std::size_t PixelCount() const {
    return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  }

  static constexpr int kBandRows = 32;
  // How many rows from row y on lie one after another in memory.
  int ContiguousRows(int y) const { return std::min(kBandRows - y % kBandRows, height_ - y); }

  // A row to write: its band is made this picture's own first, which may
  // raise OutOfMemoryError.
  Pixel* Row(int y) {
    Band& band = bands_[static_cast<std::size_t>(y / kBandRows)];
    if (band.use_count() > 1) Unshare(band, y / kBandRows);
    return band.get() + static_cast<std::size_t>(y % kBandRows) * static_cast<std::size_t>(width_);
  }
  const Pixel* Row(int y) const {
    return bands_[static_cast<std::size_t>(y / kBandRows)].get() +
           static_cast<std::size_t>(y % kBandRows) * static_cast<std::size_t>(width_);
  }
  // Makes the bands of rows top to bottom - 1 this picture's own, so that
  // writing them later allocates nothing. Raises OutOfMemoryError.
  void Own(int top, int bottom);
  // How many of this picture's bands are shared with another picture.
  int SharedBands() const;
  // Whether this picture and `other`, of the same size, share every band of
  // rows top to bottom - 1, so that their pixels there are the same.
  bool SharesRows(const Bitmap& other, int top, int bottom) const;
  // Takes the bands of rows top to bottom - 1 from `source`, a picture of the
  // same size, for pixels known to be the same there. Allocates nothing.
  void ShareRows(const Bitmap& source, int top, int bottom);
  // Lets go of the bands of rows top to bottom - 1, so that the picture that
  // shared them can write them without a copy; they must be taken again with
  // ShareRows before this picture is used. Allocates nothing.
  void ReleaseRows(int top, int bottom);
  // Single-pixel access for tests and the odd lookup; hot loops use Row.
  Pixel At(int x, int y) const { return Row(y)[x]; }
  void Set(int x, int y, Pixel pixel) { Row(y)[x] = pixel; }

  void Fill(Pixel pixel);

 private:
  using Band = std::shared_ptr<Pixel[]>;
  int BandPixels(int band) const;
  // Calls f(index) for each band of rows top to bottom - 1 while it returns
  // true; whether it did for all.
  template <typename F>
  bool EveryBand(int top, int bottom, F f) const;
  void Unshare(Band& band, int index);

  int width_ = 0;
  int height_ = 0;
  std::vector<Band> bands_;
};

}  // namespace velmora
