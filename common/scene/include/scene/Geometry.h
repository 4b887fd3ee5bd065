#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

namespace talvo::scene {

struct Point {
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const Point&, const Point&) = default;
    friend Point operator+(Point a, Point b) { return Point{a.x + b.x, a.y + b.y}; }
    friend Point operator-(Point a, Point b) { return Point{a.x - b.x, a.y - b.y}; }
};

struct Size {
    double width = 0.0;
    double height = 0.0;

    friend bool operator==(const Size&, const Size&) = default;
};

// An axis-aligned rectangle; left <= right and top <= bottom (y runs down).
struct Rect {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;

    static Rect Around(Point centre, double halfWidth, double halfHeight) {
        return Rect{centre.x - halfWidth, centre.y - halfHeight, centre.x + halfWidth,
                    centre.y + halfHeight};
    }
    // The rectangle spanned by two corners in either order.
    static Rect Spanning(Point a, Point b) {
        return Rect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    }

    double width() const { return right - left; }
    double height() const { return bottom - top; }
    Point centre() const { return Point{(left + right) / 2.0, (top + bottom) / 2.0}; }
    bool contains(Point p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
    bool contains(const Rect& r) const {
        return r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom;
    }
    // Overlap of positive area; rectangles that only touch do not intersect.
    bool intersects(const Rect& r) const {
        return r.left < right && left < r.right && r.top < bottom && top < r.bottom;
    }
    Rect united(const Rect& r) const {
        return Rect{std::min(left, r.left), std::min(top, r.top), std::max(right, r.right),
                    std::max(bottom, r.bottom)};
    }
    Rect expanded(double dx, double dy) const {
        return Rect{left - dx, top - dy, right + dx, bottom + dy};
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

// The union of an optional rectangle with another.
inline std::optional<Rect> United(const std::optional<Rect>& a, const Rect& b) {
    return a ? a->united(b) : b;
}

// A drawing colour; settings files store colours as red + 256 green + 65536 blue.
struct Colour {
    int red = 0;
    int green = 0;
    int blue = 0;

    static constexpr Colour FromValue(std::uint32_t value) {
        return Colour{static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                      static_cast<int>((value >> 16) & 0xFFu)};
    }
    constexpr std::uint32_t value() const {
        return static_cast<std::uint32_t>(red) + 256u * static_cast<std::uint32_t>(green) +
               65536u * static_cast<std::uint32_t>(blue);
    }

    friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kBlack{0, 0, 0};

}  // namespace talvo::scene
