#pragma once
// The map's scale bar. Cells are drawn as long as they really are, at one scale for the
// whole network, while the gaps between them are placed freely: the bar measures cell
// lengths, not distances across the map.

#include <optional>
#include <string>

#include "scene/Viewport.h"

namespace talvo::scene {

// Map units per metre of a cell's length. A cell is drawn 2 x cellScaleX x speed map units
// long and is the distance covered at that speed (km/h) in one time step, speed x timeStep /
// 3.6 m; the speed cancels, so every cell shares this scale (up to the rounding of its
// half-length to whole map units, under a pixel at zoom 1). Nothing where the scale or the
// time step is not positive: no cell then has a length to measure by.
std::optional<double> MapUnitsPerMetre(double cellScaleX, int timeStep);

struct ScaleBar {
    double metres = 0.0;  // 1, 2 or 5 times a power of ten
    double pixels = 0.0;  // its drawn length
    std::string label;    // "100 m (cell length)"
};

// The bar drawn kMinPixels..kMaxPixels long: the shortest round length that reaches
// kMinPixels (the steps of 1, 2, 5 grow by at most 2.5, so it stays within kMaxPixels).
inline constexpr double kScaleBarMinPixels = 60.0;
inline constexpr double kScaleBarMaxPixels = 150.0;
std::optional<ScaleBar> ChooseScaleBar(double pixelsPerMetre);
// The bar for a view of a network drawn with these scales.
std::optional<ScaleBar> ScaleBarOf(const Viewport& view, double cellScaleX, int timeStep);

}  // namespace talvo::scene
