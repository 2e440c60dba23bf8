#include "imaging/Translucent.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "imaging/BmpFile.h"
#include "imaging/SessionCommands.h"
#include "imaging/UndoHistory.h"
#include "tests/unit/imaging/PictureTestSupport.h"

namespace velmora {
namespace {

using test::kWallpaper;
using test::PixelsOf;

constexpr std::uint32_t kYellowColor = 0x00FFFF;  // a colour value, 0x00BBGGRR
const Pixel kYellow = RgbPixel(255, 255, 0);

bool Near(Pixel a, Pixel b, int levels) {
  for (int shift = 0; shift <= 16; shift += 8)
    if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) > levels)
      return false;
  return true;
}

TEST(Translucent, FortyPerCentOfTheColourOverWhatLiesBeneath) {
  EXPECT_EQ(Blend(kYellow, RgbPixel(0, 0, 200), kHighlightOpacity), RgbPixel(102, 102, 120));
  EXPECT_EQ(Blend(RgbPixel(255, 0, 0), RgbPixel(30, 120, 200), kHighlightOpacity), RgbPixel(120, 72, 120));
  // On the drawing layer: the key colour takes the colour and its opacity, an
  // opaque pixel the blend; the composition lays either over any background.
  const Pixel highlighted = Highlight(kKeyPixel, kYellow, kHighlightOpacity);
  EXPECT_EQ(OpacityOf(highlighted), kHighlightOpacity);
  EXPECT_EQ(Over(highlighted, RgbPixel(0, 0, 200)), RgbPixel(102, 102, 120));
  EXPECT_EQ(Highlight(RgbPixel(0, 0, 200), kYellow, kHighlightOpacity), RgbPixel(102, 102, 120));
  // Two highlights, one over the other, lie over a background as the two
  // blends in turn would, within a level.
  const Pixel blue = RgbPixel(0, 0, 255);
  const Pixel both = Highlight(Highlight(kKeyPixel, kYellow, kHighlightOpacity), blue, kHighlightOpacity);
  EXPECT_GT(OpacityOf(both), kHighlightOpacity);
  for (const Pixel background : {kWhitePixel, kBlackPixel, RgbPixel(30, 120, 200)}) {
    const Pixel inTurn = Blend(blue, Blend(kYellow, background, kHighlightOpacity), kHighlightOpacity);
    EXPECT_TRUE(Near(Over(both, background), inTurn, 1))
        << std::hex << Over(both, background) << " " << inTurn;
  }
}

TEST(Translucent, TheCompositionBlendsTranslucentDrawingAtEveryRowLength) {
  for (int width = 1; width <= 13; ++width) {
    Bitmap background(width, 2, RgbPixel(30, 120, 200));
    Bitmap drawing(width, 2, kKeyPixel);
    for (int x = 0; x < width; x += 3) drawing.Set(x, 0, WithOpacity(kYellow, kHighlightOpacity));
    for (int x = 1; x < width; x += 2) drawing.Set(x, 1, RgbPixel(255, 0, 0));
    Bitmap composed;
    Compose(composed, background, drawing);
    for (int x = 0; x < width; ++x) {
      ASSERT_EQ(composed.At(x, 0), x % 3 == 0 ? Blend(kYellow, RgbPixel(30, 120, 200), kHighlightOpacity)
                                              : RgbPixel(30, 120, 200))
          << width << ": " << x;
      ASSERT_EQ(composed.At(x, 1), x % 2 == 1 ? RgbPixel(255, 0, 0) : RgbPixel(30, 120, 200));
    }
  }
}

Layers Session(int width, int height) {
  Layers layers;
  layers.i2 = Bitmap(width, height, kWallpaper);
  layers.i4 = Bitmap(width, height, kWallpaper);
  layers.i5 = Bitmap(width, height, kKeyPixel);
  OpenSession(layers, Bitmap(width, height, test::kScreen), width, height, true);
  return layers;
}

void Drag(Layers& layers, UndoHistory& history, std::initializer_list<std::pair<int, int>> points) {
  Stroke stroke;
  history.BeginStep();
  auto it = points.begin();
  stroke.Begin(it->first, it->second, 2, kYellowColor);
  for (++it; it != points.end(); ++it)
    stroke.Move(layers, Tool::kHighlighter, it->first, it->second, true, &history);
  stroke.Release(layers, &history);
  history.EndStep();
}

TEST(Translucent, AHighlighterStrokeIsNoDarkerWhereItCrossesItselfButASecondStrokeIs) {
  Layers layers = Session(60, 20);
  UndoHistory history;
  // Back and forth along row 10, four pixels wide, then across itself.
  Drag(layers, history, {{5, 10}, {50, 10}, {10, 10}, {30, 2}, {30, 18}});
  const Pixel once = Blend(kYellow, kWallpaper, kHighlightOpacity);
  const Pixel onScreen = Blend(kYellow, test::kScreen, kHighlightOpacity);
  for (const auto& [x, y] : {std::pair{20, 10}, {30, 10}, {45, 9}, {30, 4}}) {
    EXPECT_EQ(layers.i4.At(x, y), once) << x << ", " << y;
    EXPECT_EQ(layers.i31.At(x, y), onScreen);
    EXPECT_EQ(layers.i1.At(x, y), onScreen);
    EXPECT_EQ(layers.i5.At(x, y), WithOpacity(kYellow, kHighlightOpacity));
  }
  EXPECT_EQ(layers.i4.At(40, 15), kWallpaper);  // where it did not go
  Drag(layers, history, {{20, 5}, {20, 15}});
  EXPECT_EQ(layers.i4.At(20, 10), Blend(kYellow, once, kHighlightOpacity));
  EXPECT_GT(OpacityOf(layers.i5.At(20, 10)), kHighlightOpacity);

  // The drawing layer keeps the opacity: over another wallpaper the blend is with it.
  Bitmap composed;
  Compose(composed, Bitmap(60, 20, RgbPixel(200, 0, 0)), layers.i5);
  EXPECT_EQ(composed.At(45, 9), Blend(kYellow, RgbPixel(200, 0, 0), kHighlightOpacity));
  EXPECT_EQ(composed.At(45, 15), RgbPixel(200, 0, 0));

  history.Undo(layers, true);
  history.Undo(layers, true);
  EXPECT_EQ(PixelsOf(layers.i5), PixelsOf(Bitmap(60, 20, kKeyPixel)));
  EXPECT_EQ(PixelsOf(layers.i4), PixelsOf(Bitmap(60, 20, kWallpaper)));
}

TEST(Translucent, TheDrawingFileStaysAsBeforeWithoutTranslucencyAndCarriesItWhenThere) {
  Bitmap drawing(7, 3, kKeyPixel);
  drawing.Set(1, 1, RgbPixel(255, 0, 0));
  // Opaque marks only: the very bytes of the 24-bit file.
  EXPECT_EQ(EncodeDrawingBmp(drawing), EncodeBmp24(drawing));
  EXPECT_EQ(PixelsOf(DecodeDrawingBmp(EncodeBmp24(drawing))), PixelsOf(drawing));

  drawing.Set(4, 2, WithOpacity(kYellow, kHighlightOpacity));
  drawing.Set(6, 0, WithOpacity(RgbPixel(0, 0, 255), 180));
  const std::string bytes = EncodeDrawingBmp(drawing);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 32);
  EXPECT_EQ(PixelsOf(DecodeDrawingBmp(bytes)), PixelsOf(drawing));
  // A reader that drops alpha, as the earlier versions read "2.bmp", shows
  // every mark, the translucent ones opaque, and nothing where none is.
  const Bitmap earlier = DecodeBmp(bytes);
  EXPECT_EQ(earlier.At(1, 1), RgbPixel(255, 0, 0));
  EXPECT_EQ(earlier.At(4, 2), kYellow);
  EXPECT_EQ(earlier.At(6, 0), RgbPixel(0, 0, 255));
  EXPECT_EQ(earlier.At(0, 0), kKeyPixel);
  EXPECT_EQ(earlier.At(3, 2), kKeyPixel);
}

}  // namespace
}  // namespace velmora
