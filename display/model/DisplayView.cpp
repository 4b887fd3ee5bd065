#include "model/DisplayView.h"

#include <algorithm>
#include <cmath>

namespace talvo::display {

void DisplayView::reset() {
    zoom_ = 1.0;
    offsetX_ = 0.0;
    offsetY_ = 0.0;
}

bool DisplayView::zoomToRectangle(PointD start, PointD end) {
    const double dx = std::fabs(end.x - start.x);
    const double dy = std::fabs(end.y - start.y);
    if (dx <= kMinDrag || dy <= kMinDrag) {
        return false;
    }
    const double oldZoom = zoom_;
    const double zx = oldZoom * kAreaWidth / dx;
    const double zy = oldZoom * kAreaHeight / dy;
    const double newZoom = std::min({zx, zy, kMaxZoom});
    offsetX_ = offsetX_ * newZoom / oldZoom - (start.x + end.x) * newZoom / (2.0 * oldZoom) +
               kAreaWidth / 2.0;
    offsetY_ = offsetY_ * newZoom / oldZoom - (start.y + end.y) * newZoom / (2.0 * oldZoom) +
               kAreaHeight / 2.0;
    zoom_ = newZoom;
    return true;
}

void ZoomDrag::press(PointD point) {
    start_ = point;
    end_ = point;
    dragging_ = true;
}

bool ZoomDrag::move(PointD point) {
    if (!dragging_) {
        return false;
    }
    end_ = point;
    return true;
}

bool ZoomDrag::release(DisplayView& view) {
    if (!dragging_) {
        return false;
    }
    dragging_ = false;
    view.zoomToRectangle(start_, end_);
    return true;
}

}  // namespace talvo::display
