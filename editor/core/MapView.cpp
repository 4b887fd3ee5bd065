#include "core/MapView.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>

namespace talvo {

int16_t RoundToInt16(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double lo = std::numeric_limits<int16_t>::min();
    const double hi = std::numeric_limits<int16_t>::max();
    // nearbyint follows the default rounding mode: nearest, ties to even.
    const double rounded = std::nearbyint(std::clamp(value, lo, hi));
    return static_cast<int16_t>(rounded);
}

namespace {

int RoundToInt(double value) {
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

MapView::MapView() {
    h_.max = RoundToInt(kMapWidth - kViewWidth);
    v_.max = RoundToInt(kMapHeight - kViewHeight);
    SetChanges();
}

void MapView::setScrollValues(int hValue, int vValue) {
    h_.value = std::clamp(hValue, 0, h_.max);
    v_.value = std::clamp(vValue, 0, v_.max);
}

ScreenPoint MapView::ToScreen(double x, double y) const {
    return {RoundToInt16(x * zoom_ - h_.value), RoundToInt16(y * zoom_ - v_.value)};
}

MapPoint MapView::PointerToMap(double px, double py) const {
    return {(h_.value + px) / zoom_, (v_.value + py) / zoom_};
}

bool MapView::ZoomIn() {
    if (zoom_ >= kMaxZoom) {
        return false;
    }
    zoom_ = std::min(zoom_ * 1.5, kMaxZoom);
    return true;
}

void MapView::ResetZoom() {
    zoom_ = 1.0;
}

void MapView::Recentre(double px, double py, double oldZoom) {
    const double u = (h_.value + px) / oldZoom;
    const double v = (v_.value + py) / oldZoom;
    const double z = zoom_;
    h_.max = RoundToInt(kMapWidth * z - kViewWidth);
    v_.max = RoundToInt(kMapHeight * z - kViewHeight);
    if (z != 1.0) {
        // A pointer near the map's edge asks for an offset the bar cannot show; the
        // bar holds at its end as a scroll bar does.
        h_.value = std::clamp(RoundToInt(z * u - px), 0, h_.max);
        v_.value = std::clamp(RoundToInt(z * v - py), 0, v_.max);
    } else {
        h_.value = std::clamp(h_.value, 0, h_.max);
        v_.value = std::clamp(v_.value, 0, v_.max);
    }
    SetChanges();
}

void MapView::KeepCentre(double px, double py, double oldZoom) {
    const double u = (h_.value + px) / oldZoom;
    const double v = (v_.value + py) / oldZoom;
    h_.max = RoundToInt(kMapWidth * zoom_ - kViewWidth);
    v_.max = RoundToInt(kMapHeight * zoom_ - kViewHeight);
    h_.value = std::clamp(RoundToInt(zoom_ * u - px), 0, h_.max);
    v_.value = std::clamp(RoundToInt(zoom_ * v - py), 0, v_.max);
    SetChanges();
}

void MapView::SetChanges() {
    h_.largeChange = std::max(1, RoundToInt(h_.max * 0.1));
    h_.smallChange = std::max(1, RoundToInt(h_.max * 0.01));
    v_.largeChange = std::max(1, RoundToInt(v_.max * 0.1));
    v_.smallChange = std::max(1, RoundToInt(v_.max * 0.01));
}

}  // namespace talvo
