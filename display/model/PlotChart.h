#pragma once

#include <string>

#include "model/PlotData.h"
#include "model/Scene.h"

namespace talvo::display {

// A plot window's settings.
struct PlotSettings {
    int nInterval = 10;   // legend boxes, 1-16
    int range = 1;        // value width of one shade, 1-10
    int step = 1;         // time steps summed into one block
    int colorRange = 25;  // shade increment per range: 250 / 10
    std::string title;
};

inline constexpr int kMaxLegendShades = 16;
inline constexpr int kMaxResolution = 10;

// The plot area is 26000 x 4100 chart units with time along x and distance along y.
inline constexpr double kPlotWidth = 26000.0;
inline constexpr double kPlotHeight = 4100.0;

// Shade of a block sum: the integer part of sum / range x colorRange, within 0..250.
int PlotShade(double sum, int range, int colorRange);
// RGB(255 - v, 250 - v, 250 - v).
Rgb PlotShadeColour(int shade);

// One shaded block of the chart, for tests and for picking.
struct PlotBlock {
    int position = 0;  // 1-based
    int firstRow = 0;  // 1-based
    int lastRow = 0;
    double sum = 0.0;
    SceneBox box;
};
std::vector<PlotBlock> PlotBlocks(const PlotData& data, const PlotSettings& settings);

// The smallest scales, in pixels per chart unit across and down, at which texts of the given
// pixel sizes still read: the distance caption between the window's edge and the distance
// ticks, the widest legend label right of its box, the legend labels one below the other and
// the title and time caption in their margins.
struct ChartScale {
    double x = 0.0;
    double y = 0.0;
};
ChartScale MinimumChartScale(double captionWidth, double legendLabelWidth, double textHeight);

// The widest legend label there can be: the most shades of the lowest resolution.
std::string WidestLegendLabel();

// The whole chart: blocks, time and distance ticks, legend, captions and title, in chart
// units (the scene's origin leaves margins around the plot area). Empty when no rows or no
// positions were read.
Scene BuildPlotChart(const PlotData& data, const PlotSettings& settings);

}  // namespace talvo::display
