#include "model/MapGeometry.h"

#include <algorithm>
#include <cmath>

namespace talvo::display {

int RoundTo16Bit(double value) {
    return static_cast<int>(std::clamp(std::nearbyint(value), -32768.0, 32767.0));
}

CellExtent CellExtentOf(const DisplayCell& cell, const DisplayParameters& parameters) {
    const double halfLength = RoundTo16Bit(parameters.cellScaleX * cell.speed);
    const double halfWidth = RoundTo16Bit(parameters.cellScaleY * cell.laneNum);
    CellExtent extent;
    extent.centre = PointD{cell.x, cell.y};
    if (cell.orientation == 2) {
        extent.halfX = halfWidth;
        extent.halfY = halfLength;
    } else {
        extent.halfX = halfLength;
        extent.halfY = halfWidth;
    }
    return extent;
}

PointD FacingPoint(const CellExtent& cell, PointD target) {
    const double dx = target.x - cell.centre.x;
    const double dy = target.y - cell.centre.y;
    if (dx != 0.0 && std::fabs(dy / dx) <= 1.0) {
        return PointD{cell.centre.x + (dx > 0.0 ? cell.halfX : -cell.halfX), cell.centre.y};
    }
    // The cell with the smaller (or equal) y uses its side towards larger y.
    const bool below = cell.centre.y <= target.y;
    return PointD{cell.centre.x, cell.centre.y + (below ? cell.halfY : -cell.halfY)};
}

std::pair<SceneLine, SceneLine> ArrowHead(PointD from, PointD to, double length, Rgb colour) {
    constexpr double kTurn = 0.785;
    const double angle = std::atan2(to.y - from.y, to.x - from.x);
    auto stroke = [&](double turned) {
        return SceneLine{
            to, PointD{to.x - length * std::cos(turned), to.y - length * std::sin(turned)}, colour};
    };
    return {stroke(angle + kTurn), stroke(angle - kTurn)};
}

std::optional<std::pair<PointD, PointD>> ClipSegment(PointD from, PointD to, double width,
                                                     double height) {
    // Liang-Barsky: keep the parameter range of the segment inside all four edges.
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    double enter = 0.0;
    double leave = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {from.x, width - from.x, from.y, height - from.y};
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
    return std::make_pair(PointD{from.x + enter * dx, from.y + enter * dy},
                          PointD{from.x + leave * dx, from.y + leave * dy});
}

}  // namespace talvo::display
