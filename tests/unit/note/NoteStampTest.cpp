#include <gtest/gtest.h>

#include "note/NoteStamp.h"
#include "tests/unit/imaging/PictureTestSupport.h"

namespace velmora {
namespace {

using test::PictureOf;
using test::RowsOf;
using Rows = std::vector<std::string>;

TEST(NoteStamp, TheNoteLandsOpaqueInTheCanvasTheComposedAndTheDrawingLayerClippedToEach) {
  Layers layers;
  layers.i1 = PictureOf({"ssss", "ssss", "ssss"});
  layers.i4 = PictureOf({"wwww", "wwww", "wwww"});
  layers.i5 = PictureOf({"kkk", "kkk"});  // smaller than the others
  layers.i31 = PictureOf({"ssss", "ssss", "ssss"});
  layers.i3 = PictureOf({"ssss", "ssss", "ssss"});
  layers.i41 = PictureOf({"wwww", "wwww", "wwww"});
  layers.i6 = PictureOf({"kkk", "kkk"});
  const Bitmap note = PictureOf({"yyy", "y#y"});  // background with a stroke of text

  EXPECT_EQ(StampNote(layers, note, 2, 1), (PixelRect{2, 1, 4, 3}));
  EXPECT_EQ(RowsOf(layers.i1), (Rows{"ssss", "ssyy", "ssy#"}));
  EXPECT_EQ(RowsOf(layers.i4), (Rows{"wwww", "wwyy", "wwy#"}));
  EXPECT_EQ(RowsOf(layers.i5), (Rows{"kkk", "kky"}));
  // Notes stay out of the screen layer and the session snapshots.
  EXPECT_EQ(RowsOf(layers.i31), (Rows{"ssss", "ssss", "ssss"}));
  EXPECT_EQ(RowsOf(layers.i3), RowsOf(layers.i31));
  EXPECT_EQ(RowsOf(layers.i41), (Rows{"wwww", "wwww", "wwww"}));
  EXPECT_EQ(RowsOf(layers.i6), (Rows{"kkk", "kkk"}));

  // Above and left of the layers only the overlapping part lands; wholly
  // outside, nothing does.
  EXPECT_EQ(StampNote(layers, note, -2, -1), (PixelRect{0, 0, 1, 1}));
  EXPECT_EQ(RowsOf(layers.i1)[0], "ysss");
  EXPECT_EQ(StampNote(layers, note, 4, 0), (PixelRect{}));
  EXPECT_EQ(RowsOf(layers.i4), (Rows{"ywww", "wwyy", "wwy#"}));
}

TEST(NoteStamp, AStampedNoteIsDrawingAndSurvivesAChangeOfWallpaper) {
  Layers layers;
  layers.i1 = PictureOf({"sss", "sss"});
  layers.i2 = PictureOf({"www", "www"});
  layers.i4 = PictureOf({"www", "www"});
  layers.i5 = PictureOf({"kkk", "kkk"});
  StampNote(layers, PictureOf({"y#"}), 1, 1);
  // Text on a background of the key colour is drawing too, one step of blue off.
  StampNote(layers, PictureOf({"k"}), 0, 0);
  EXPECT_EQ(layers.i5.At(0, 0), kKeyPixel + 1);
  // The next wallpaper: the composed layer is rebuilt from the drawing layer.
  Compose(layers.i4, PictureOf({"bbb", "bbb"}), layers.i5);
  EXPECT_EQ(RowsOf(layers.i4), (Rows{"?bb", "by#"}));
}

}  // namespace
}  // namespace velmora
