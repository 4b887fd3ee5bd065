#include "model/PlotChart.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace talvo::display {
namespace {

constexpr double kMarginLeft = 4000.0;
constexpr double kMarginRight = 4200.0;
constexpr double kMarginTop = 1000.0;
constexpr double kMarginBottom = 800.0;
constexpr double kLegendLeft = kPlotWidth + 600.0;
constexpr double kLegendBox = 180.0;
constexpr double kLegendPitch = 230.0;
constexpr double kTickLength = 50.0;
constexpr double kDistanceTickLength = 200.0;

// Column width and row height, rounded to whole units.
double ColumnWidth(const PlotData& data) {
    return std::nearbyint(kPlotWidth / data.rowCount());
}
double RowHeight(const PlotData& data) {
    return std::nearbyint(kPlotHeight / data.positionCount);
}

void AddTicks(Scene& scene, const PlotData& data, const PlotSettings& settings) {
    const double w = ColumnWidth(data);
    const double h = RowHeight(data);
    const int step = std::max(1, settings.step);
    for (int t = 0; t <= data.rowCount(); t += step) {
        const double x = t * w;
        scene.add(SceneLine{PointD{x, -kTickLength}, PointD{x, 0.0}, kBlack});
    }
    for (int p = 1; p <= data.positionCount; ++p) {
        const double y = p * h;
        scene.add(SceneLine{PointD{-kDistanceTickLength, y}, PointD{0.0, y}, kBlack});
    }
}

std::string LegendLabel(int k, int range) {
    std::string label(1, ' ');
    label.append(std::to_string((k - 1) * range));
    label.push_back('-');
    label.append(std::to_string(k * range));
    return label;
}

void AddLegend(Scene& scene, const PlotSettings& settings) {
    for (int k = 1; k <= settings.nInterval; ++k) {
        const int shade = std::clamp((k - 1) * settings.colorRange, 0, 250);
        const double top = (k - 1) * kLegendPitch;
        scene.add(SceneBox{kLegendLeft, top, kLegendLeft + kLegendBox, top + kLegendBox,
                           PlotShadeColour(shade)});
        std::string label = LegendLabel(k, settings.range);
        scene.add(SceneText{PointD{kLegendLeft + kLegendBox, top + kLegendBox / 2.0},
                            std::move(label), kBlack, TextPlacement::RightOf, std::nullopt});
    }
}

void AddCaptions(Scene& scene, const PlotSettings& settings) {
    scene.add(SceneText{PointD{kPlotWidth / 2.0, -kMarginTop / 2.0}, settings.title, kBlack,
                        TextPlacement::Centred, std::nullopt});
    scene.add(SceneText{PointD{kPlotWidth / 2.0, kPlotHeight + kMarginBottom / 2.0}, "Time (s)",
                        kBlack, TextPlacement::Centred, std::nullopt});
    // Centred in the margin left of the distance ticks, so that the two never meet.
    scene.add(SceneText{PointD{-(kMarginLeft + kDistanceTickLength) / 2.0, kPlotHeight / 2.0},
                        "Distance (m)", kBlack, TextPlacement::Centred, std::nullopt});
}

}  // namespace

ChartScale MinimumChartScale(double captionWidth, double legendLabelWidth, double textHeight) {
    constexpr double kPadding = 4.0;  // pixels around a text
    // The distance caption is centred between the window's edge and the ticks.
    const double captionRoom = (kMarginLeft - kDistanceTickLength) / 2.0;
    const double legendRoom = kMarginRight - (kLegendLeft + kLegendBox - kPlotWidth);
    ChartScale scale;
    scale.x = std::max((captionWidth / 2.0 + kPadding) / captionRoom,
                       (legendLabelWidth + kPadding) / legendRoom);
    // Title above the time ticks, time caption below the plot, legend labels apart.
    scale.y = std::max({(textHeight / 2.0 + kPadding) / (kMarginTop / 2.0 - kTickLength),
                        (textHeight / 2.0 + kPadding) / (kMarginBottom / 2.0),
                        textHeight / kLegendPitch});
    return scale;
}

std::string WidestLegendLabel() {
    return LegendLabel(kMaxLegendShades, kMaxResolution);
}

int PlotShade(double sum, int range, int colorRange) {
    if (range <= 0) {
        return sum > 0.0 ? 250 : 0;
    }
    const double shade = std::trunc(sum / range * colorRange);
    return static_cast<int>(std::clamp(shade, 0.0, 250.0));
}

Rgb PlotShadeColour(int shade) {
    return Rgb{255 - shade, 250 - shade, 250 - shade};
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
            block.box = SceneBox{(t - 1) * w, (p - 1) * h, last * w, p * h, PlotShadeColour(shade)};
            blocks.push_back(block);
        }
    }
    return blocks;
}

Scene BuildPlotChart(const PlotData& data, const PlotSettings& settings) {
    Scene scene;
    scene.originX = -kMarginLeft;
    scene.originY = -kMarginTop;
    scene.width = kMarginLeft + kPlotWidth + kMarginRight;
    scene.height = kMarginTop + kPlotHeight + kMarginBottom;
    scene.background = kWhite;
    if (data.rowCount() == 0 || data.positionCount == 0) {
        return scene;
    }
    for (const PlotBlock& block : PlotBlocks(data, settings)) {
        scene.add(block.box);
    }
    AddTicks(scene, data, settings);
    AddLegend(scene, settings);
    AddCaptions(scene, settings);
    return scene;
}

}  // namespace talvo::display
