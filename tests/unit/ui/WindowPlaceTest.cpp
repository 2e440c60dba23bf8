#include <gtest/gtest.h>

#include "ui/WindowPlace.h"

namespace velmora {
namespace {

TEST(WindowPlace, AWindowComesBackTheLeastDistanceIntoTheWorkArea) {
  const Rect work{0, 0, 1280, 780};
  EXPECT_EQ(BackIntoWorkArea({3000, 2000, 233, 218}, work), (Point{1047, 562}));  // beyond the right and bottom
  EXPECT_EQ(BackIntoWorkArea({-900, 100, 205, 357}, work), (Point{0, 100}));      // a monitor left of it gone
  EXPECT_EQ(BackIntoWorkArea({100, -5000, 289, 305}, work), (Point{100, 0}));
  EXPECT_EQ(BackIntoWorkArea({192, 109, 233, 218}, work), (Point{192, 109}));     // inside: where it was
  // Larger than the area: its top-left corner, with the title bar, stays reachable.
  EXPECT_EQ(BackIntoWorkArea({-3000, 4000, 2000, 1000}, work), (Point{0, 0}));
  // A work area away from the origin (a taskbar at the top or left).
  EXPECT_EQ(BackIntoWorkArea({-50, -50, 100, 100}, {40, 30, 1240, 770}), (Point{40, 30}));
}

}  // namespace
}  // namespace velmora
