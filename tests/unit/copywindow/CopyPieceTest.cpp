#include <gtest/gtest.h>

#include "copywindow/CopyPiece.h"
#include "imaging/SessionCommands.h"
#include "tests/unit/imaging/PictureTestSupport.h"

namespace velmora {
namespace {

using test::PictureOf;
using test::RowsOf;
using Rows = std::vector<std::string>;

TEST(CopyPiece, LiesUnderTheSeeThroughAreaInLayerPixels) {
  // The default window: a list box of 281 x 230 gives a piece of 277 x 226.
  EXPECT_EQ(PieceRect({211, 407}, {0, 0}, {281, 230}), (PixelRect{211, 407, 488, 633}));
  // With the taskbar at the top or the left, the drawing surface (layer pixel
  // 0, 0) begins below or right of it.
  EXPECT_EQ(PieceRect({211, 407}, {0, 30}, {281, 230}), (PixelRect{211, 377, 488, 603}));
  EXPECT_EQ(PieceRect({211, 407}, {60, 0}, {100, 50}), (PixelRect{151, 407, 247, 453}));
  // Partly off the surface, and a list box all border.
  EXPECT_EQ(PieceRect({-20, 5}, {0, 0}, {10, 6}), (PixelRect{-20, 5, -14, 7}));
  EXPECT_TRUE(PieceRect({5, 5}, {0, 0}, {3, 4}).Empty());
}

// A session over a screen with a window (r g b y) on it, a wallpaper with an
// earlier stroke (#) and that stroke alone in the drawing layer.
Layers Session() {
  Layers layers;
  layers.i2 = PictureOf({"wwwwww", "wwwwww", "wwwwww", "wwwwww"});
  layers.i5 = PictureOf({"kkkkkk", "kkkkkk", "kkkkkk", "kkkkk#"});
  layers.i4 = PictureOf({"wwwwww", "wwwwww", "wwwwww", "wwwww#"});
  OpenSession(layers, PictureOf({"ssssss", "srgbss", "sybrss", "ssssss"}), 6, 4, true);
  return layers;
}

TEST(CopyPiece, CopyLiftsWhatTheCanvasShowsThenShowsTheComposedLayer) {
  Layers layers = Session();
  const Bitmap piece = LiftPiece(layers, {1, 1, 4, 3});
  EXPECT_EQ(RowsOf(piece), (Rows{"rgb", "ybr"}));
  EXPECT_EQ(RowsOf(layers.i1), RowsOf(layers.i4));
  // Nothing else changes.
  EXPECT_EQ(RowsOf(layers.i4), (Rows{"wwwwww", "wwwwww", "wwwwww", "wwwww#"}));
  EXPECT_EQ(RowsOf(layers.i31), (Rows{"ssssss", "srgbss", "sybrss", "ssssss"}));
  EXPECT_EQ(RowsOf(layers.i5), (Rows{"kkkkkk", "kkkkkk", "kkkkkk", "kkkkk#"}));

  // Where the source lay beyond the canvas, the piece holds the fixed fill.
  Layers offScreen = Session();
  EXPECT_EQ(RowsOf(LiftPiece(offScreen, {-1, -1, 2, 1})), (Rows{"...", ".ss"}));
  Layers beyond = Session();
  EXPECT_EQ(RowsOf(LiftPiece(beyond, {4, 2, 8, 5})), (Rows{"ss..", "ss..", "...."}));
}

TEST(CopyPiece, PasteWritesThePieceIntoTheCanvasComposedDrawingAndScreenLayers) {
  Layers layers = Session();
  const Bitmap piece = LiftPiece(layers, {1, 1, 4, 3});
  EXPECT_EQ(PlacePiece(layers, piece, {2, 2}), (PixelRect{2, 2, 5, 4}));
  const Rows screen{"ssssss", "srgbss", "syrgbs", "ssybrs"};
  EXPECT_EQ(RowsOf(layers.i1), screen);  // the screen layer, whatever the canvas showed before
  EXPECT_EQ(RowsOf(layers.i31), screen);
  EXPECT_EQ(RowsOf(layers.i4), (Rows{"wwwwww", "wwwwww", "wwrgbw", "wwybr#"}));
  EXPECT_EQ(RowsOf(layers.i5), (Rows{"kkkkkk", "kkkkkk", "kkrgbk", "kkybr#"}));
  // The background and the session snapshots stay as the session opened.
  EXPECT_EQ(RowsOf(layers.i2), (Rows{"wwwwww", "wwwwww", "wwwwww", "wwwwww"}));
  EXPECT_EQ(RowsOf(layers.i3), (Rows{"ssssss", "srgbss", "sybrss", "ssssss"}));
  EXPECT_EQ(RowsOf(layers.i41), (Rows{"wwwwww", "wwwwww", "wwwwww", "wwwww#"}));
  EXPECT_EQ(RowsOf(layers.i6), (Rows{"kkkkkk", "kkkkkk", "kkkkkk", "kkkkk#"}));

  // The same piece again elsewhere gives a second copy; beyond the layers it is cut.
  EXPECT_EQ(PlacePiece(layers, piece, {4, 3}), (PixelRect{4, 3, 6, 4}));
  EXPECT_EQ(RowsOf(layers.i4), (Rows{"wwwwww", "wwwwww", "wwrgbw", "wwybrg"}));
  EXPECT_EQ(RowsOf(layers.i5), (Rows{"kkkkkk", "kkkkkk", "kkrgbk", "kkybrg"}));
  EXPECT_EQ(RowsOf(layers.i1), (Rows{"ssssss", "srgbss", "syrgbs", "ssybrg"}));

  // Holding the next piece, the canvas shows the composed layer with the pieces so far.
  const Bitmap next = LiftPiece(layers, {2, 2, 4, 4});
  EXPECT_EQ(RowsOf(next), (Rows{"rg", "yb"}));
  EXPECT_EQ(RowsOf(layers.i1), RowsOf(layers.i4));
}

TEST(CopyPiece, APastedPixelOfTheKeyColourIsDrawingOneStepOfBlueOff) {
  Layers layers = Session();
  PlacePiece(layers, PictureOf({"kr"}), {0, 0});
  EXPECT_EQ(layers.i4.At(0, 0), kKeyPixel);  // the picture keeps the very colour
  EXPECT_EQ(layers.i5.At(0, 0), kKeyPixel + 1);
  EXPECT_EQ(RowsOf(layers.i5)[0], "?rkkkk");
}

TEST(CopyPiece, PasteBeforeAnyCopyShowsTheScreenLayerAndDrawsNothing) {
  Layers layers = Session();
  LiftPiece(layers, {0, 0, 0, 0});  // the canvas now shows the composed layer
  EXPECT_TRUE(PlacePiece(layers, Bitmap(), {1, 1}).Empty());
  EXPECT_EQ(RowsOf(layers.i1), (Rows{"ssssss", "srgbss", "sybrss", "ssssss"}));
  EXPECT_EQ(RowsOf(layers.i4), (Rows{"wwwwww", "wwwwww", "wwwwww", "wwwww#"}));
  EXPECT_EQ(RowsOf(layers.i5), (Rows{"kkkkkk", "kkkkkk", "kkkkkk", "kkkkk#"}));
}

TEST(CopyPiece, CancellingOrErasingAfterAPasteLeavesNoTraceOfThePiece) {
  Layers layers = Session();
  PlacePiece(layers, LiftPiece(layers, {1, 1, 4, 3}), {2, 2});
  CancelLast(layers, true);
  EXPECT_EQ(RowsOf(layers.i4), (Rows{"wwwwww", "wwwwww", "wwwwww", "wwwww#"}));
  EXPECT_EQ(RowsOf(layers.i5), (Rows{"kkkkkk", "kkkkkk", "kkkkkk", "kkkkk#"}));
  EXPECT_EQ(RowsOf(layers.i31), (Rows{"ssssss", "srgbss", "sybrss", "ssssss"}));

  Layers erased = Session();
  PlacePiece(erased, LiftPiece(erased, {1, 1, 4, 3}), {2, 2});
  EraseLast(erased, 3, 2, 1, true);  // the 2 x 2 square from (2, 1)
  EXPECT_EQ(RowsOf(erased.i4), (Rows{"wwwwww", "wwwwww", "wwwwbw", "wwybr#"}));
  EXPECT_EQ(RowsOf(erased.i5), (Rows{"kkkkkk", "kkkkkk", "kkkkbk", "kkybr#"}));
}

}  // namespace
}  // namespace velmora
