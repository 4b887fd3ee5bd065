#include "scene/MapGeometry.h"

#include <algorithm>
#include <cmath>

namespace talvo::scene {

int RoundTo16Bit(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(std::clamp(std::nearbyint(value), -32768.0, 32767.0));
}

namespace {

Rect Oriented(Point centre, int orientation, double halfLength, double halfWidth) {
    if (orientation == kVerticalCell) {
        return Rect::Around(centre, halfWidth, halfLength);
    }
    return Rect::Around(centre, halfLength, halfWidth);
}

}  // namespace

Rect CellRect(Point centre, int laneNum, int orientation, double speed, const CellScales& scales) {
    return Oriented(centre, orientation, RoundTo16Bit(scales.x * speed),
                    RoundTo16Bit(scales.y * laneNum));
}

Rect CellArea(Point centre, int laneNum, int orientation, double speed, const CellScales& scales) {
    return Oriented(centre, orientation, scales.x * speed, scales.y * laneNum);
}

Side FacingSide(const Rect& cell, Point target) {
    const Point centre = cell.centre();
    const double dx = target.x - centre.x;
    const double dy = target.y - centre.y;
    if (dx != 0.0 && std::fabs(dy / dx) <= 1.0) {
        return dx > 0.0 ? Side::Right : Side::Left;
    }
    return centre.y <= target.y ? Side::Bottom : Side::Top;
}

Point FacingPoint(const Rect& cell, Point target) {
    const Point centre = cell.centre();
    switch (FacingSide(cell, target)) {
        case Side::Left:
            return Point{cell.left, centre.y};
        case Side::Right:
            return Point{cell.right, centre.y};
        case Side::Top:
            return Point{centre.x, cell.top};
        case Side::Bottom:
            break;
    }
    return Point{centre.x, cell.bottom};
}

std::pair<Point, Point> ArrowHeadEnds(Point from, Point to, double length) {
    const double angle = std::atan2(to.y - from.y, to.x - from.x);
    auto end = [&](double turned) {
        return Point{to.x - length * std::cos(turned), to.y - length * std::sin(turned)};
    };
    return {end(angle + kArrowTurn), end(angle - kArrowTurn)};
}

std::optional<std::pair<Point, Point>> ClipSegment(Point from, Point to, const Rect& area) {
    // Liang-Barsky: keep the parameter range of the segment inside all four edges.
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    double enter = 0.0;
    double leave = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {from.x - area.left, area.right - from.x, from.y - area.top,
                         area.bottom - from.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return std::nullopt;
            }
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0.0) {
            enter = std::max(enter, r);
        } else {
            leave = std::min(leave, r);
        }
        if (enter > leave) {
            return std::nullopt;
        }
    }
    return std::make_pair(Point{from.x + enter * dx, from.y + enter * dy},
                          Point{from.x + leave * dx, from.y + leave * dy});
}

}  // namespace talvo::scene
