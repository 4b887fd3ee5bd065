#pragma once

#include <string>
#include <vector>

#include "model/DisplayModel.h"
#include "model/PlotData.h"
#include "scene/Scene.h"

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

// What the rows and columns of a plot file stand for. The engine writes plot group g into
// "ctmplot_<g>.plt", one row per second from the group's start to its end, the values of
// its cells in group order; the project names those cells and seconds.
struct PlotAxes {
    int group = 0;             // plot group number, 0 when unknown
    std::vector<int> cellIDs;  // the cell of each position; empty when unknown
    int firstSecond = 0;       // the second of the first row
    bool secondsKnown = false;
    // Per position: a destination, which only collects what leaves the network and is
    // drawn as a sink, as on the map, rather than shaded by its growing count.
    std::vector<bool> sinkRows;

    bool isSink(int position) const;
};

// The group number of a plot file name "ctmplot_<g>.plt" (any letter case, any folder),
// or 0.
int PlotGroupNumberOf(const std::string& path);
// The axes of a plot file: its group from the name, and the group's cells and seconds
// from the project's plot groups where they match what the file holds, and which of those
// cells are destinations.
PlotAxes PlotAxesOf(const std::string& path, const std::vector<PlotGroup>& groups,
                    const PlotData& data, const std::vector<int>& destinationCellIDs = {});

// For a plot opened without a project: the axes from the project the run window writes
// beside a run's files ("input.tin" in the plot file's folder); the file's group alone when
// there is none or it does not read.
PlotAxes PlotAxesBeside(const std::string& path, const PlotData& data);

// Seconds between numbered ticks of the time axis: every minute up to 20 minutes of rows,
// else every five minutes.
int TimeTickSpacing(int rows);

// Shade of a block sum: the integer part of sum / range x colorRange, within 0..250.
int PlotShade(double sum, int range, int colorRange);
// RGB(255 - v, 250 - v, 250 - v).
scene::Colour PlotShadeColour(int shade);

// One shaded block of the chart, for tests and for picking.
struct PlotBlock {
    int position = 0;  // 1-based
    int firstRow = 0;  // 1-based
    int lastRow = 0;
    double sum = 0.0;
    scene::Box box;
};
std::vector<PlotBlock> PlotBlocks(const PlotData& data, const PlotSettings& settings);

// The legend's heading with the unit of its labels: vehicles for single steps, vehicle-
// seconds for sums over several; and its labels.
std::string LegendHeading(const PlotSettings& settings);
std::string LegendLabel(int k, const PlotSettings& settings);

// The pixel sizes of the widest texts a chart can have: a cell number, the rows' heading,
// a legend label (the most shades of the lowest resolution) and the legend's heading (the
// longest sum), and the height of a line.
struct ChartTexts {
    double rowLabel = 0.0;
    double rowCaption = 0.0;
    double legendLabel = 0.0;
    double legendHeading = 0.0;
    double height = 0.0;
};
ChartTexts WidestChartTexts(const scene::TextMeasure& measure);

// The smallest scales, in pixels per chart unit across and down, at which those texts still
// read: the row labels left of the rows, the legend labels right of their boxes, the
// headings above them, the legend labels one below the other, the title above the plot and
// the time numbers and caption below it.
struct ChartScale {
    double x = 0.0;
    double y = 0.0;
};
ChartScale MinimumChartScale(const ChartTexts& widest);

// The whole chart: blocks in a frame, the numbered time axis, the rows labelled with their
// cells, legend, captions and title, in chart units (the scene's extent leaves margins
// around the plot area). Only the frame when no rows or no positions were read.
scene::Scene BuildPlotChart(const PlotData& data, const PlotSettings& settings,
                            const PlotAxes& axes = {});

}  // namespace talvo::display
