#include "model/PlotChart.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>

#include "model/DisplayScene.h"
#include "model/MapReader.h"
#include "model/ReadError.h"

namespace talvo::display {
namespace {

using scene::Align;
using scene::kBlack;
using scene::Point;
using scene::Text;

constexpr double kMarginLeft = 4000.0;
constexpr double kMarginRight = 4200.0;
constexpr double kMarginTop = 1000.0;
constexpr double kMarginBottom = 1100.0;
constexpr double kLegendLeft = kPlotWidth + 600.0;
constexpr double kLegendBox = 180.0;
constexpr double kLegendPitch = 230.0;
constexpr double kTickLength = 60.0;
constexpr double kDistanceTickLength = 200.0;
constexpr double kTextGap = 4.0;  // pixels between a text and what it labels

const char* const kRowCaption = "Cell";
const char* const kPositionCaption = "Position";

// Column width and row height, rounded to whole units.
double ColumnWidth(const PlotData& data) {
    return std::nearbyint(kPlotWidth / data.rowCount());
}
double RowHeight(const PlotData& data) {
    return std::nearbyint(kPlotHeight / data.positionCount);
}

Text ChartText(Point anchor, std::string text, Align align, Point offset = {}) {
    Text label(anchor, std::move(text), kBlack, align);
    label.offset = offset;
    return label;
}

void AddTimeAxis(scene::Layer& layer, const PlotData& data, const PlotAxes& axes) {
    const double w = ColumnWidth(data);
    const double bottom = data.positionCount * RowHeight(data);
    const int rows = data.rowCount();
    const int spacing = TimeTickSpacing(rows);
    const int first = axes.firstSecond;
    // Ticks on whole multiples of the spacing, from the first row's second to the last's end.
    for (int second = (first + spacing - 1) / spacing * spacing; second <= first + rows;
         second += spacing) {
        const double x = (second - first) * w;
        layer.add(
            scene::Line{Point{x, bottom}, Point{x, bottom + kTickLength}, scene::Stroke{kBlack}});
        Text number = ChartText(Point{x, bottom + kTickLength}, std::to_string(second), Align::Top,
                                Point{0.0, 2.0});
        number.givesWay = true;
        layer.add(std::move(number));
    }
    const char* caption = axes.secondsKnown ? "Time (s)" : "Time from the plot's start (s)";
    layer.add(ChartText(Point{kPlotWidth / 2.0, kPlotHeight + kMarginBottom}, caption,
                        Align::Bottom, Point{0.0, -kTextGap}));
}

void AddRows(scene::Layer& layer, const PlotData& data, const PlotAxes& axes) {
    const double h = RowHeight(data);
    const bool cellsKnown = static_cast<int>(axes.cellIDs.size()) == data.positionCount;
    for (int p = 1; p <= data.positionCount; ++p) {
        const double y = p * h;
        layer.add(
            scene::Line{Point{-kDistanceTickLength, y}, Point{0.0, y}, scene::Stroke{kBlack}});
        const int label = cellsKnown ? axes.cellIDs[static_cast<size_t>(p - 1)] : p;
        Text text = ChartText(Point{-kDistanceTickLength, y - h / 2.0}, std::to_string(label),
                              Align::Right, Point{-kTextGap, 0.0});
        // Rows thinner than a text keep every other label, as far as they fit.
        text.givesWay = true;
        layer.add(std::move(text));
    }
    // A heading over the labels' column, in the margin above the plot.
    layer.add(ChartText(Point{-kDistanceTickLength, 0.0},
                        cellsKnown ? kRowCaption : kPositionCaption, Align::BottomRight,
                        Point{-kTextGap, -kTextGap}));
}

void AddLegend(scene::Layer& layer, const PlotSettings& settings, const PlotAxes& axes) {
    // Over the legend, right-aligned in the margin above the plot, so that the legend's
    // narrow column needs room only for its labels.
    Text heading = ChartText(Point{kPlotWidth + kMarginRight, 0.0}, LegendHeading(settings),
                             Align::BottomRight, Point{-kTextGap, -kTextGap});
    heading.bold = true;
    layer.add(std::move(heading));
    for (int k = 1; k <= settings.nInterval; ++k) {
        const int shade = std::clamp((k - 1) * settings.colorRange, 0, 250);
        const double top = (k - 1) * kLegendPitch;
        layer.add(
            scene::Box{scene::Rect{kLegendLeft, top, kLegendLeft + kLegendBox, top + kLegendBox},
                       PlotShadeColour(shade), std::nullopt});
        layer.add(ChartText(Point{kLegendLeft + kLegendBox, top + kLegendBox / 2.0},
                            LegendLabel(k, settings), Align::Left, Point{kTextGap, 0.0}));
    }
    if (std::find(axes.sinkRows.begin(), axes.sinkRows.end(), true) != axes.sinkRows.end()) {
        const double top = settings.nInterval * kLegendPitch + kLegendPitch / 2.0;
        layer.add(
            scene::Box{scene::Rect{kLegendLeft, top, kLegendLeft + kLegendBox, top + kLegendBox},
                       kSinkColour, std::nullopt});
        layer.add(ChartText(Point{kLegendLeft + kLegendBox, top + kLegendBox / 2.0}, " sink",
                            Align::Left, Point{kTextGap, 0.0}));
    }
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

int PlotGroupNumberOf(const std::string& path) {
    const std::string name = Lower(std::filesystem::path(path).filename().string());
    const std::string prefix = "ctmplot_";
    const std::string suffix = ".plt";
    if (name.size() <= prefix.size() + suffix.size() ||
        name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return 0;
    }
    const std::string digits =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (digits.size() > 2 || !std::all_of(digits.begin(), digits.end(),
                                          [](unsigned char c) { return std::isdigit(c) != 0; })) {
        return 0;
    }
    return std::stoi(digits);
}

bool PlotAxes::isSink(int position) const {
    return position >= 1 && position <= static_cast<int>(sinkRows.size()) &&
           sinkRows[static_cast<size_t>(position - 1)];
}

PlotAxes PlotAxesOf(const std::string& path, const std::vector<PlotGroup>& groups,
                    const PlotData& data, const std::vector<int>& destinationCellIDs) {
    PlotAxes axes;
    axes.group = PlotGroupNumberOf(path);
    if (axes.group < 1 || axes.group > static_cast<int>(groups.size())) {
        return axes;
    }
    const PlotGroup& group = groups[static_cast<size_t>(axes.group - 1)];
    // A project that is not the run's would label the rows wrongly: only a group of the
    // file's size is taken.
    if (static_cast<int>(group.cellIDs.size()) == data.positionCount) {
        axes.cellIDs = group.cellIDs;
        for (const int id : axes.cellIDs) {
            axes.sinkRows.push_back(std::find(destinationCellIDs.begin(), destinationCellIDs.end(),
                                              id) != destinationCellIDs.end());
        }
    }
    if (group.endStep - group.startStep + 1 == data.rowCount()) {
        axes.firstSecond = group.startStep;
        axes.secondsKnown = true;
    }
    return axes;
}

PlotAxes PlotAxesBeside(const std::string& path, const PlotData& data) {
    const std::filesystem::path project = std::filesystem::path(path).parent_path() / "input.tin";
    std::error_code error;
    if (!std::filesystem::is_regular_file(project, error)) {
        return PlotAxesOf(path, {}, data);
    }
    DisplayModel model;
    try {
        ReadDisplayMap(project.string(), model);
    } catch (const ReadError&) {
        return PlotAxesOf(path, {}, data);
    }
    return PlotAxesOf(path, model.project.tables.plotGroups, data,
                      DestinationCellIDs(scene::MapNetworkOf(model.project)));
}

int TimeTickSpacing(int rows) {
    return rows <= 1200 ? 60 : 300;
}

std::string LegendHeading(const PlotSettings& settings) {
    if (settings.step > 1) {
        return "Occupancy summed over " + std::to_string(settings.step) + " s (veh\xC2\xB7s)";
    }
    return "Occupancy (veh)";
}

std::string LegendLabel(int k, const PlotSettings& settings) {
    // Appended piece by piece: one chain of + trips a false warning of g++ 12.
    std::string label(1, ' ');
    label.append(std::to_string((k - 1) * settings.range));
    label.push_back('-');
    label.append(std::to_string(k * settings.range));
    return label;
}

ChartScale MinimumChartScale(const ChartTexts& widest) {
    constexpr double kPadding = 4.0;  // pixels around a text
    const double legendRoom = kMarginRight - (kLegendLeft + kLegendBox - kPlotWidth);
    ChartScale scale;
    // The row labels and their heading left of the ticks, the legend labels right of their
    // boxes, and the legend's heading reaching no further left than the plot's middle.
    const double leftRoom = kMarginLeft - kDistanceTickLength;
    scale.x = std::max(
        {(std::max(widest.rowLabel, widest.rowCaption) + kTextGap + kPadding) / leftRoom,
         (widest.legendLabel + kTextGap + kPadding) / legendRoom,
         (widest.legendHeading + kTextGap + kPadding) / (kMarginRight + kPlotWidth / 2.0)});
    // Above the plot the title, centred in the margin, and the headings beneath it; below it
    // the time numbers and the caption; the legend labels apart.
    scale.y =
        std::max({(1.5 * widest.height + 2.0 * kTextGap) / (kMarginTop / 2.0),
                  (2.0 * widest.height + 2.0 + 2.0 * kTextGap) / (kMarginBottom - kTickLength),
                  widest.height / kLegendPitch});
    return scale;
}

ChartTexts WidestChartTexts(const scene::TextMeasure& measure) {
    PlotSettings widest;
    widest.range = kMaxResolution;
    widest.step = kMaxPlotRows;
    ChartTexts texts;
    texts.rowLabel = measure("99999", false).width;
    texts.rowCaption = measure(kPositionCaption, false).width;
    texts.legendLabel = measure(LegendLabel(kMaxLegendShades, widest), false).width;
    texts.legendHeading = measure(LegendHeading(widest), true).width;
    texts.height = measure("0", false).height;
    return texts;
}

int PlotShade(double sum, int range, int colorRange) {
    if (range <= 0) {
        return sum > 0.0 ? 250 : 0;
    }
    const double shade = std::trunc(sum / range * colorRange);
    return static_cast<int>(std::clamp(shade, 0.0, 250.0));
}

scene::Colour PlotShadeColour(int shade) {
    return scene::Colour{255 - shade, 250 - shade, 250 - shade};
}

std::vector<PlotBlock> PlotBlocks(const PlotData& data, const PlotSettings& settings) {
    std::vector<PlotBlock> blocks;
    const int rows = data.rowCount();
    const int positions = data.positionCount;
    if (rows == 0 || positions == 0) {
        return blocks;
    }
    const double w = ColumnWidth(data);
    const double h = RowHeight(data);
    const int step = std::max(1, settings.step);
    for (int p = 1; p <= positions; ++p) {
        for (int t = 1; t <= rows; t += step) {
            const int last = std::min(t + step - 1, rows);
            // Values are whole numbers, so a single-precision sum stays exact.
            float sum = 0.0F;
            for (int row = t; row <= last; ++row) {
                sum += static_cast<float>(data.at(p, row));
            }
            PlotBlock block;
            block.position = p;
            block.firstRow = t;
            block.lastRow = last;
            block.sum = sum;
            const int shade = PlotShade(sum, settings.range, settings.colorRange);
            block.box = scene::Box{scene::Rect{(t - 1) * w, (p - 1) * h, last * w, p * h},
                                   PlotShadeColour(shade), std::nullopt};
            blocks.push_back(block);
        }
    }
    return blocks;
}

scene::Scene BuildPlotChart(const PlotData& data, const PlotSettings& settings,
                            const PlotAxes& axes) {
    scene::Scene chart;
    chart.extent = scene::Rect{-kMarginLeft, -kMarginTop, kPlotWidth + kMarginRight,
                               kPlotHeight + kMarginBottom};
    chart.background = scene::kWhite;
    if (data.rowCount() == 0 || data.positionCount == 0) {
        return chart;
    }
    for (PlotBlock& block : PlotBlocks(data, settings)) {
        if (axes.isSink(block.position)) {
            block.box.fill = kSinkColour;
        }
        chart.world.add(block.box);
    }
    chart.world.add(scene::Box{scene::Rect{0.0, 0.0, data.rowCount() * ColumnWidth(data),
                                           data.positionCount * RowHeight(data)},
                               std::nullopt, scene::Stroke{kBlack}});
    AddTimeAxis(chart.world, data, axes);
    AddRows(chart.world, data, axes);
    AddLegend(chart.world, settings, axes);
    chart.world.add(
        ChartText(Point{kPlotWidth / 2.0, -kMarginTop / 2.0}, settings.title, Align::Centre));
    return chart;
}

}  // namespace talvo::display
