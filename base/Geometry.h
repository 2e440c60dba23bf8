#pragma once
// Points, sizes and rectangles in pixels, as the window layouts give them.
namespace velmora {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// A layout rectangle: left, top, width, height. The right and bottom edges lie
// outside it, as with the system's rectangles.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  Point TopLeft() const { return {left, top}; }
  Size GetSize() const { return {width, height}; }
  bool Empty() const { return width <= 0 || height <= 0; }
  bool Contains(Point p) const { return p.x >= left && p.x < Right() && p.y >= top && p.y < Bottom(); }
  bool Intersects(const Rect& r) const {
    return !Empty() && !r.Empty() && left < r.Right() && r.left < Right() && top < r.Bottom() &&
           r.top < Bottom();
  }
  Rect Offset(int dx, int dy) const { return {left + dx, top + dy, width, height}; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace velmora
