#include <gtest/gtest.h>

#include "base/Geometry.h"
#include "ui/ShapeGeometry.h"

namespace velmora {
namespace {

TEST(Geometry, RectanglesHoldTheirLeftAndTopEdgesButNotTheirRightAndBottom) {
  const Rect face{16, 8, 100, 23};
  EXPECT_TRUE(face.Contains({16, 8}));
  EXPECT_TRUE(face.Contains({115, 30}));
  EXPECT_FALSE(face.Contains({116, 30}));
  EXPECT_FALSE(face.Contains({115, 31}));
  EXPECT_FALSE(face.Contains({15, 8}));
  EXPECT_TRUE(face.Intersects({115, 30, 5, 5}));
  EXPECT_FALSE(face.Intersects({116, 8, 5, 5}));
  EXPECT_FALSE(face.Intersects({20, 10, 0, 5}));
  EXPECT_FALSE((Rect{0, 0, 0, 0}).Contains({0, 0}));
}

TEST(ShapeGeometry, ACircleHasTheShorterSideAsDiameterAndIsCentred) {
  EXPECT_EQ(FigureOf(ShapeKind::kCircle, 100, 100).bounds, (Rect{0, 0, 100, 100}));
  EXPECT_EQ(FigureOf(ShapeKind::kCircle, 40, 100).bounds, (Rect{0, 30, 40, 40}));
  EXPECT_EQ(FigureOf(ShapeKind::kCircle, 41, 100).bounds, (Rect{0, 29, 41, 41}));  // 59 / 2 rounds down
  EXPECT_EQ(FigureOf(ShapeKind::kCircle, 100, 40).bounds, (Rect{30, 0, 40, 40}));
  EXPECT_EQ(FigureOf(ShapeKind::kCircle, 0, 100).bounds, (Rect{0, 50, 0, 0}));
  EXPECT_EQ(FigureOf(ShapeKind::kCircle, 40, 100).corner, (Size{0, 0}));
}

TEST(ShapeGeometry, ARoundedRectangleHasCornersOfAQuarterOfItsShorterSide) {
  const ShapeFigure toolbar = FigureOf(ShapeKind::kRoundRect, 233, 218);
  EXPECT_EQ(toolbar.bounds, (Rect{0, 0, 233, 218}));
  EXPECT_EQ(toolbar.corner, (Size{54, 54}));
  EXPECT_EQ(FigureOf(ShapeKind::kRoundRect, 270, 38).corner, (Size{9, 9}));
  EXPECT_EQ(FigureOf(ShapeKind::kRoundRect, 500, 350).corner, (Size{87, 87}));
  EXPECT_EQ(FigureOf(ShapeKind::kRectangle, 480, 3).bounds, (Rect{0, 0, 480, 3}));
  EXPECT_EQ(FigureOf(ShapeKind::kEllipse, 30, 10).bounds, (Rect{0, 0, 30, 10}));
}

}  // namespace
}  // namespace velmora
