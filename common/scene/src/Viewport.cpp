#include "scene/Viewport.h"

#include <algorithm>
#include <cmath>

#include "scene/MapGeometry.h"

namespace talvo::scene {
namespace {

ScrollAxis AxisOver(double contentFrom, double contentTo, double visibleFrom, double visibleSize) {
    ScrollAxis axis;
    const double low = std::min(contentFrom, visibleFrom);
    const double high = std::max(contentTo - visibleSize, visibleFrom);
    axis.value = static_cast<int>(std::lround(visibleFrom));
    // Within a pixel there is nothing to scroll.
    if (high - low < 1.0) {
        axis.minimum = axis.maximum = axis.value;
    } else {
        axis.minimum = static_cast<int>(std::floor(low));
        axis.maximum = static_cast<int>(std::ceil(high));
    }
    axis.value = std::clamp(axis.value, axis.minimum, axis.maximum);
    axis.pageStep = std::max(1, static_cast<int>(visibleSize));
    return axis;
}

}  // namespace

double Viewport::scale() const {
    return zoom_ / kMapUnitsPerPixel;
}

Point Viewport::toPixels(Point map) const {
    return Point{(map.x - origin_.x) * scale(), (map.y - origin_.y) * scale()};
}

Point Viewport::toMap(Point pixel) const {
    return Point{origin_.x + pixel.x / scale(), origin_.y + pixel.y / scale()};
}

Rect Viewport::visibleMap() const {
    return Rect::Spanning(toMap(Point{0.0, 0.0}), toMap(Point{size_.width, size_.height}));
}

void Viewport::resize(Size pixels) {
    size_ = Size{std::max(pixels.width, 1.0), std::max(pixels.height, 1.0)};
}

void Viewport::reset() {
    zoom_ = 1.0;
    origin_ = Point{};
}

void Viewport::zoomAbout(Point pixel, double zoom) {
    if (!std::isfinite(zoom)) {
        return;
    }
    const Point fixed = toMap(pixel);
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    origin_ = Point{fixed.x - pixel.x / scale(), fixed.y - pixel.y / scale()};
}

bool Viewport::zoomToRectangle(Point a, Point b) {
    const double dx = std::fabs(b.x - a.x);
    const double dy = std::fabs(b.y - a.y);
    if (dx <= kMinDrag || dy <= kMinDrag) {
        return false;
    }
    const Point middle = toMap(Point{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0});
    zoom_ = std::clamp(std::min(zoom_ * size_.width / dx, zoom_ * size_.height / dy), kMinZoom,
                       kMaxZoom);
    origin_ =
        Point{middle.x - size_.width / 2.0 / scale(), middle.y - size_.height / 2.0 / scale()};
    return true;
}

void Viewport::fit(const Rect& map, double margin, double reservedRight) {
    const double width = std::max(size_.width - 2.0 * margin - reservedRight, 1.0);
    const double height = std::max(size_.height - 2.0 * margin, 1.0);
    const double mapWidth = std::max(map.width(), 1.0);
    const double mapHeight = std::max(map.height(), 1.0);
    zoom_ = std::clamp(std::min(width / mapWidth, height / mapHeight) * kMapUnitsPerPixel, kMinZoom,
                       kMaxZoom);
    const Point centre = map.centre();
    const double viewCentreX = margin + width / 2.0;
    const double viewCentreY = margin + height / 2.0;
    origin_ = Point{centre.x - viewCentreX / scale(), centre.y - viewCentreY / scale()};
}

void Viewport::panBy(Point pixels) {
    origin_ = Point{origin_.x - pixels.x / scale(), origin_.y - pixels.y / scale()};
}

ScrollAxis Viewport::horizontalScroll(const Rect& content) const {
    return AxisOver(content.left * scale(), content.right * scale(), origin_.x * scale(),
                    size_.width);
}

ScrollAxis Viewport::verticalScroll(const Rect& content) const {
    return AxisOver(content.top * scale(), content.bottom * scale(), origin_.y * scale(),
                    size_.height);
}

void Viewport::scrollHorizontallyTo(int value) {
    origin_.x = value / scale();
}

void Viewport::scrollVerticallyTo(int value) {
    origin_.y = value / scale();
}

}  // namespace talvo::scene
