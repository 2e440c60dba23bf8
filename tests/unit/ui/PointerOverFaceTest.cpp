#include <gtest/gtest.h>

#include "ui/HoverTest.h"

namespace velmora {
namespace {

// The pointer at every corner of the face's area and one pixel beyond each edge.
void ExpectEdges(const Rect& face, const FacePlace& place, int left, int top) {
  const int right = left + face.width, bottom = top + face.height;
  for (Point corner : {Point{left, top}, Point{right, top}, Point{left, bottom}, Point{right, bottom}}) {
    SCOPED_TRACE(testing::Message() << "corner " << corner.x << "," << corner.y);
    EXPECT_TRUE(PointerOverFace(corner, face, place));
  }
  const int midX = left + face.width / 2, midY = top + face.height / 2;
  EXPECT_FALSE(PointerOverFace({left - 1, midY}, face, place));
  EXPECT_FALSE(PointerOverFace({right + 1, midY}, face, place));
  EXPECT_FALSE(PointerOverFace({midX, top - 1}, face, place));
  EXPECT_FALSE(PointerOverFace({midX, bottom + 1}, face, place));
}

TEST(PointerOverFace, OnTheBorderlessToolbarTheFacePlaceAddsToTheWindowsCornerAndEveryEdgeCounts) {
  const Rect brush{16, 8, 100, 23};
  // The toolbar where the layout puts it: x 208..308, y 117..140.
  ExpectEdges(brush, {.window = {192, 109}}, 208, 117);
  // Dragged partly off the screen's top-left corner.
  ExpectEdges(brush, {.window = {-50, -20}}, -34, -12);
}

TEST(PointerOverFace, FramedWindowsAddTheFrameAllowancesAndThePanelTop) {
  const Rect done{8, 6, 85, 30};
  // The text window's "Done" on its bottom panel (top 247 in the client area):
  // x from 197 + 4 + 8, y from 274 + 29 + 247 + 6.
  const FacePlace text{.window = {197, 274}, .allowance = kFrameAllowance, .panelTop = 247};
  ExpectEdges(done, text, 209, 556);
  // The face's client place alone, without the allowances, is outside.
  EXPECT_FALSE(PointerOverFace({197 + 8, 274 + 247 + 6}, done, text));

  // The options window's faces lie on the form itself: no panel top.
  ExpectEdges({198, 480, 85, 30}, {.window = {491, 127}, .allowance = kFrameAllowance}, 693, 636);
}

}  // namespace
}  // namespace velmora
