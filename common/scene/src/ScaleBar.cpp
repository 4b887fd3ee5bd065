#include "scene/ScaleBar.h"

#include <cmath>
#include <cstdio>

namespace talvo::scene {
namespace {

// km/h to metres per second.
constexpr double kKmhPerMetresPerSecond = 3.6;

std::string LengthText(double metres) {
    char text[32];
    if (metres >= 1000.0) {
        std::snprintf(text, sizeof text, "%g km", metres / 1000.0);
    } else {
        std::snprintf(text, sizeof text, "%g m", metres);
    }
    return text;
}

}  // namespace

std::optional<double> MapUnitsPerMetre(double cellScaleX, int timeStep) {
    if (!(cellScaleX > 0.0) || timeStep <= 0 || !std::isfinite(cellScaleX)) {
        return std::nullopt;
    }
    return 2.0 * cellScaleX * kKmhPerMetresPerSecond / timeStep;
}

std::optional<ScaleBar> ChooseScaleBar(double pixelsPerMetre) {
    if (!(pixelsPerMetre > 0.0) || !std::isfinite(pixelsPerMetre)) {
        return std::nullopt;
    }
    const double shortest = kScaleBarMinPixels / pixelsPerMetre;
    for (int exponent = static_cast<int>(std::floor(std::log10(shortest)));; ++exponent) {
        for (const double step : {1.0, 2.0, 5.0}) {
            const double metres = step * std::pow(10.0, exponent);
            // The tolerance keeps a length that lands on kMinPixels from rounding away.
            if (metres * pixelsPerMetre >= kScaleBarMinPixels * (1.0 - 1e-9)) {
                return ScaleBar{metres, metres * pixelsPerMetre,
                                LengthText(metres) + " (cell length)"};
            }
        }
    }
}

std::optional<ScaleBar> ScaleBarOf(const Viewport& view, double cellScaleX, int timeStep) {
    const std::optional<double> unitsPerMetre = MapUnitsPerMetre(cellScaleX, timeStep);
    if (!unitsPerMetre) {
        return std::nullopt;
    }
    return ChooseScaleBar(*unitsPerMetre * view.scale());
}

}  // namespace talvo::scene
