#pragma once

// The editor's rectangle: left and top inclusive, right and bottom exclusive. The raster library
// takes it as a source rectangle and a text box; the editor framework uses it for every control.
//
// Emptiness is a convention of the editor: a rectangle is empty exactly when all four values are
// 0. A rectangle with right <= left but some non-zero value is not "empty" by this test; code that
// needs a pixel area checks Width() and Height() itself.
struct IRectangle {
  int left;
  int top;
  int right;
  int bottom;

  // Any thread; allocates nothing (as every member below).
  bool IsEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }

  // True when the point lies inside a non-empty rectangle.
  bool Contains(int x, int y) const {
    return !IsEmpty() && x >= left && x < right && y >= top && y < bottom;
  }

  // True when both are non-empty and they meet. Not symmetric: this rectangle's right and bottom
  // count as inclusive against the other's left and top, so a rectangle that ends exactly where
  // the other begins intersects it, but not the other way round.
  bool Intersects(const IRectangle& other) const {
    return !IsEmpty() && !other.IsEmpty() && right >= other.left && left < other.right &&
           bottom >= other.top && top < other.bottom;
  }

  // The smallest rectangle holding both; an empty one contributes nothing.
  IRectangle Union(const IRectangle& other) const {
    if (IsEmpty()) return other;
    if (other.IsEmpty()) return *this;
    return {left < other.left ? left : other.left, top < other.top ? top : other.top,
            right > other.right ? right : other.right,
            bottom > other.bottom ? bottom : other.bottom};
  }

  bool operator==(const IRectangle& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
  bool operator!=(const IRectangle& other) const { return !(*this == other); }
};
