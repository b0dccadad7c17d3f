#pragma once
// Rectangles in window pixels: (left, top, right, bottom), a point hits when
// left <= x < right and top <= y < bottom. No Qt: the skin generator and the tests read these too.

namespace p330::layout {

struct Point {
    int x = 0;
    int y = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool contains(Point p) const {
        return left <= p.x && p.x < right && top <= p.y && p.y < bottom;
    }
    constexpr bool intersects(const Rect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    constexpr bool inside(const Rect& o) const {
        return o.left <= left && right <= o.right && o.top <= top && bottom <= o.bottom;
    }
    constexpr Point top_left() const { return {left, top}; }
    // The same size with its top at y.
    constexpr Rect at_top(int y) const { return {left, y, right, y + height()}; }
    constexpr Rect grown(int by) const { return {left - by, top - by, right + by, bottom + by}; }
};

// The keyboard's focus mark: a dotted line this far outside its element, all round; texts
// beside an element that takes the focus keep clear of it.
constexpr int kFocusMarkOutset = 2;
constexpr Rect focus_mark(const Rect& r) {
    return r.grown(kFocusMarkOutset + 1);  // the line's own pixel included
}

}  // namespace p330::layout
