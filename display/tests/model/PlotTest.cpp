#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "TestSupport.h"
#include "model/DisplayScene.h"
#include "model/PlotChart.h"
#include "model/PlotData.h"
#include "model/ReadError.h"

namespace talvo::display {
namespace {

PlotData Read(const std::string& text) {
    std::istringstream in(text);
    return ReadPlotData(in, "test.plt");
}

TEST(PlotData, ReadsTheCorridorRunPlot) {
    std::ifstream in(test::DataFile("corridor_ctmplot_1.plt"), std::ios::binary);
    const PlotData data = ReadPlotData(in, "corridor_ctmplot_1.plt");
    EXPECT_EQ(data.rowCount(), 121);  // seconds 0..120
    EXPECT_EQ(data.positionCount, 7);
    // First row 1.50 x 6 then 0.00: rounded halves to even.
    EXPECT_EQ(data.at(1, 1), 2);
    EXPECT_EQ(data.at(7, 1), 0);
    // Second row: 1.17 1.50 1.50 1.50 2.25 0.00 1.50.
    EXPECT_EQ(data.at(1, 2), 1);
    EXPECT_EQ(data.at(5, 2), 2);
    EXPECT_EQ(data.at(7, 2), 2);
}

TEST(PlotData, RowsEndAtMinusOne) {
    const PlotData data = Read("1 2 3 -1\n4 5 6 -1\n7 8\n\n\n");
    EXPECT_EQ(data.rowCount(), 3);
    EXPECT_EQ(data.positionCount, 2);  // the last row's count
    EXPECT_EQ(data.at(3, 2), 6);
    EXPECT_EQ(data.at(3, 3), 0);
}

TEST(PlotData, ATrailingRowEndOpensNoEmptyRow) {
    const PlotData data = Read("1 2 -1\n3 4 -1\n");
    EXPECT_EQ(data.rowCount(), 2);
    EXPECT_EQ(data.positionCount, 2);
}

TEST(PlotData, AFileWithoutValuesHasNoRows) {
    EXPECT_EQ(Read("\n\n").rowCount(), 0);
    EXPECT_TRUE(BuildPlotChart(Read(""), PlotSettings{}).world.items.empty());
}

// As wide as the engine's largest plot group, and no wider.
TEST(PlotData, TwoHundredValuesInARowAreAccepted) {
    std::string row;
    for (int i = 0; i < kMaxPlotFilePositions; ++i) {
        row += " 1";
    }
    EXPECT_EQ(Read(row).positionCount, kMaxPlotFilePositions);
    EXPECT_THROW(Read(row + " 1"), ReadError);
}

// Beyond the plot window's 3600: every second the engine can write, 0..100000.
TEST(PlotData, ThirtySixHundredRowsAreAccepted) {
    std::string text;
    for (int i = 0; i < kMaxPlotFileRows - 1; ++i) {
        text += "1 -1\n";
    }
    EXPECT_EQ(Read(text + "1\n").rowCount(), kMaxPlotFileRows);
    try {
        Read(text + "1 -1\n1\n");
        FAIL() << "100002 rows accepted";
    } catch (const ReadError& error) {
        EXPECT_NE(std::string(error.what()).find("line 100002: more than 100001 rows"),
                  std::string::npos)
            << error.what();
    }
}

TEST(PlotData, AFieldThatIsNoNumberIsRefusedWithItsLine) {
    try {
        Read("1 2 -1\n3 x4\n");
        FAIL() << "accepted";
    } catch (const ReadError& error) {
        EXPECT_STREQ(error.what(), "test.plt, line 2: bad value \"x4\"");
    }
}

TEST(PlotData, ValuesThatFillTheirSevenColumnsRunTogetherAndStillRead) {
    // The engine writes each value in seven columns without separators, so a queue of a
    // thousand vehicles or more touches the value before it.
    const PlotData data = Read("   3.50   4.161800.00  -1.00\n   1.00-100.00   2.00\n");
    ASSERT_EQ(data.rowCount(), 2);
    EXPECT_EQ(data.rows[0], (std::vector<int>{4, 4, 1800}));
    EXPECT_EQ(data.rows[1], (std::vector<int>{1, -100, 2}));
}

TEST(PlotData, AValueTooWideForItsColumnsIsStillRefused) {
    try {
        Read("   1.00*******  -1.00\n");
        FAIL() << "accepted";
    } catch (const ReadError& error) {
        EXPECT_STREQ(error.what(), "test.plt, line 1: bad value \"1.00*******\"");
    }
}

TEST(PlotChart, ShadesFollowSumRangeAndColorRange) {
    EXPECT_EQ(PlotShade(0, 1, 25), 0);
    EXPECT_EQ(PlotShade(3, 1, 25), 75);
    EXPECT_EQ(PlotShade(10, 1, 25), 250);
    EXPECT_EQ(PlotShade(100, 1, 25), 250);
    EXPECT_EQ(PlotShade(7, 2, 25), 87);
    EXPECT_EQ(PlotShade(20, 2, 25), 250);
    EXPECT_EQ(PlotShadeColour(0), (scene::Colour{255, 250, 250}));
    EXPECT_EQ(PlotShadeColour(250), (scene::Colour{5, 0, 0}));
}

TEST(PlotChart, BlocksSumStepRowsAndTheLastBlockIsShorter) {
    const PlotData data = Read("1 0 -1\n2 0 -1\n3 0 -1\n4 0 -1\n5 0");
    PlotSettings settings;
    settings.step = 2;
    const std::vector<PlotBlock> blocks = PlotBlocks(data, settings);
    ASSERT_EQ(blocks.size(), 6U);  // 2 positions x 3 blocks
    const double w = 5200.0;       // 26000 / 5
    EXPECT_EQ(blocks[0].sum, 3.0);
    EXPECT_EQ(blocks[0].box.rect.left, 0.0);
    EXPECT_EQ(blocks[0].box.rect.right, 2 * w);
    EXPECT_EQ(blocks[2].sum, 5.0);
    EXPECT_EQ(blocks[2].box.rect.left, 4 * w);
    EXPECT_EQ(blocks[2].box.rect.right, 5 * w);
    EXPECT_EQ(blocks[3].box.rect.top, 2050.0);  // 4100 / 2
    EXPECT_EQ(blocks[3].box.fill, PlotShadeColour(0));
    EXPECT_EQ(blocks[1].box.fill, PlotShadeColour(175));  // 3 + 4 = 7
}

TEST(PlotChart, AStepLongerThanTheRowsGivesOneBlockPerPosition) {
    const PlotData data = Read("1 1 -1\n1 1 -1\n1 1");
    PlotSettings settings;
    settings.step = 50;
    const std::vector<PlotBlock> blocks = PlotBlocks(data, settings);
    ASSERT_EQ(blocks.size(), 2U);
    EXPECT_EQ(blocks[0].box.rect.left, 0.0);
    EXPECT_EQ(blocks[0].box.rect.right, 3 * std::nearbyint(26000.0 / 3));
    EXPECT_EQ(blocks[0].sum, 3.0);
}

// The texts of a chart with the given alignment, in drawing order.
std::vector<const scene::Text*> TextsOf(const scene::Scene& chart, scene::Align align) {
    std::vector<const scene::Text*> texts;
    for (const scene::Primitive& p : chart.world.items) {
        if (const auto* text = std::get_if<scene::Text>(&p); text && text->align == align) {
            texts.push_back(text);
        }
    }
    return texts;
}

std::vector<std::string> Labels(const std::vector<const scene::Text*>& texts) {
    std::vector<std::string> labels;
    for (const scene::Text* text : texts) {
        labels.push_back(text->text);
    }
    return labels;
}

// A plot of the given rows of three cells each.
PlotData Rows(int rows) {
    std::string text;
    for (int t = 0; t < rows; ++t) {
        text += t + 1 < rows ? "1 2 3 -1\n" : "1 2 3\n";
    }
    return Read(text);
}

TEST(PlotChart, SixteenShadesShowTheLastSixAtTheDarkestWithTheirUnit) {
    PlotSettings settings;
    settings.nInterval = 16;
    const scene::Scene chart = BuildPlotChart(Read("1 -1\n2"), settings);
    std::vector<scene::Box> legend;
    for (const scene::Primitive& p : chart.world.items) {
        if (const auto* box = std::get_if<scene::Box>(&p); box && box->rect.left > kPlotWidth) {
            legend.push_back(*box);
        }
    }
    ASSERT_EQ(legend.size(), 16U);
    EXPECT_EQ(legend[9].fill, PlotShadeColour(225));
    for (size_t k = 10; k < 16; ++k) {
        EXPECT_EQ(legend[k].fill, PlotShadeColour(250));
    }
    EXPECT_EQ(legend[1].rect.top - legend[0].rect.top, 230.0);
    EXPECT_EQ(legend[0].rect.right - legend[0].rect.left, 180.0);
    const std::vector<std::string> labels = Labels(TextsOf(chart, scene::Align::Left));
    ASSERT_EQ(labels.size(), 16U);
    EXPECT_EQ(labels.front(), " 0-1");
    EXPECT_EQ(labels.back(), " 15-16");
    // The unit heads the legend; blocks of several steps sum vehicles over seconds.
    const std::vector<std::string> headings = Labels(TextsOf(chart, scene::Align::BottomRight));
    EXPECT_EQ(headings.back(), "Occupancy (veh)");
    settings.step = 10;
    EXPECT_EQ(LegendHeading(settings), "Occupancy summed over 10 s (veh\xC2\xB7s)");
}

TEST(PlotChart, TheTimeAxisIsNumberedEveryMinuteOrEveryFiveMinutes) {
    // Ten minutes of rows: a number every 60 s, not a tick for every row.
    const scene::Scene tenMinutes = BuildPlotChart(Rows(601), PlotSettings{});
    EXPECT_EQ(Labels(TextsOf(tenMinutes, scene::Align::Top)),
              (std::vector<std::string>{"0", "60", "120", "180", "240", "300", "360", "420", "480",
                                        "540", "600"}));
    // An hour: every five minutes, from the group's first second.
    PlotAxes axes;
    axes.firstSecond = 100;
    axes.secondsKnown = true;
    const std::vector<std::string> hour =
        Labels(TextsOf(BuildPlotChart(Rows(3600), PlotSettings{}, axes), scene::Align::Top));
    ASSERT_EQ(hour.size(), 12U);
    EXPECT_EQ(hour.front(), "300");
    EXPECT_EQ(hour.back(), "3600");
    for (const scene::Text* number : TextsOf(tenMinutes, scene::Align::Top)) {
        EXPECT_TRUE(number->givesWay);  // crowded numbers give way rather than overlap
    }
}

TEST(PlotChart, RowsAreTheGroupsCellsNotDistances) {
    PlotAxes axes;
    axes.cellIDs = {26, 27, 28};
    const scene::Scene chart = BuildPlotChart(Rows(5), PlotSettings{}, axes);
    const std::vector<const scene::Text*> rows = TextsOf(chart, scene::Align::Right);
    EXPECT_EQ(Labels(rows), (std::vector<std::string>{"26", "27", "28"}));
    EXPECT_LT(rows[0]->anchor.y, rows[1]->anchor.y);  // the first cell at the top
    EXPECT_EQ(Labels(TextsOf(chart, scene::Align::BottomRight)).front(), "Cell");
    const std::vector<std::string> centred = Labels(TextsOf(chart, scene::Align::Centre));
    EXPECT_EQ(std::count(centred.begin(), centred.end(), "Distance (m)"), 0);
    EXPECT_EQ(Labels(TextsOf(chart, scene::Align::Bottom)),
              (std::vector<std::string>{"Time from the plot's start (s)"}));
    // Without the group's cells the rows are numbered by position.
    const scene::Scene unknown = BuildPlotChart(Rows(5), PlotSettings{});
    EXPECT_EQ(Labels(TextsOf(unknown, scene::Align::Right)),
              (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Labels(TextsOf(unknown, scene::Align::BottomRight)).front(), "Position");
}

TEST(PlotAxes, TheFileNameNamesTheGroupAndTheProjectItsCellsAndSeconds) {
    EXPECT_EQ(PlotGroupNumberOf("/runs/a/ctmplot_3.plt"), 3);
    EXPECT_EQ(PlotGroupNumberOf("CTMPLOT_12.PLT"), 12);
    for (const char* other : {"ctmplot_.plt", "ctmplot_x.plt", "plot_1.plt", "ctmplot_1.txt"}) {
        EXPECT_EQ(PlotGroupNumberOf(other), 0) << other;
    }
    const std::vector<PlotGroup> groups{PlotGroup{{7, 8}, true, 0, 10},
                                        PlotGroup{{4, 5, 6}, true, 100, 104}};
    const PlotAxes axes = PlotAxesOf("ctmplot_2.plt", groups, Rows(5));
    EXPECT_EQ(axes.group, 2);
    EXPECT_EQ(axes.cellIDs, (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(axes.firstSecond, 100);
    EXPECT_TRUE(axes.secondsKnown);
    // A group that does not match the file (another project's) labels nothing.
    const PlotAxes other = PlotAxesOf("ctmplot_1.plt", groups, Rows(5));
    EXPECT_EQ(other.group, 1);
    EXPECT_TRUE(other.cellIDs.empty());
    EXPECT_FALSE(other.secondsKnown);
    EXPECT_TRUE(PlotAxesOf("ctmplot_3.plt", groups, Rows(5)).cellIDs.empty());
}

// A plot opened on its own takes its rows' cells from the project beside it.
TEST(PlotAxes, APlotWithoutAProjectTakesTheRunsProjectBesideIt) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("talvo-plot-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string plot = (dir / "ctmplot_1.plt").string();
    std::filesystem::copy_file(test::DataFile("arterial_ctmplot_1.plt"), plot,
                               std::filesystem::copy_options::overwrite_existing);
    std::ifstream in(plot, std::ios::binary);
    const PlotData data = ReadPlotData(in, plot);
    EXPECT_TRUE(PlotAxesBeside(plot, data).cellIDs.empty());  // nothing beside it yet
    std::filesystem::copy_file(test::DataFile("arterial.tin"), dir / "input.tin",
                               std::filesystem::copy_options::overwrite_existing);
    const PlotAxes axes = PlotAxesBeside(plot, data);
    EXPECT_EQ(static_cast<int>(axes.cellIDs.size()), data.positionCount);
    EXPECT_TRUE(axes.secondsKnown);
    EXPECT_TRUE(axes.isSink(data.positionCount));  // the arterial's group ends in its sink
    std::filesystem::remove_all(dir);
}

TEST(PlotAxes, DestinationRowsAreDrawnAsSinksNotShaded) {
    const std::vector<PlotGroup> groups{PlotGroup{{4, 5}, true, 0, 1}};
    const PlotData full = Read("30 30 -1\n30 30 -1");
    const PlotAxes axes = PlotAxesOf("ctmplot_1.plt", groups, full, {5});
    EXPECT_EQ(axes.sinkRows, (std::vector<bool>{false, true}));
    std::vector<scene::Colour> rowFills(3);
    for (const auto& item : BuildPlotChart(full, PlotSettings{}, axes).world.items) {
        const auto* box = std::get_if<scene::Box>(&item);
        if (box != nullptr && box->fill && box->rect.left < kPlotWidth && box->rect.top >= 0.0) {
            rowFills[box->rect.top < kPlotHeight / 2.0 ? 1 : 2] = *box->fill;
        }
    }
    EXPECT_EQ(rowFills[1], PlotShadeColour(250));  // a full cell on the way is black
    EXPECT_EQ(rowFills[2], kSinkColour);
}

}  // namespace
}  // namespace talvo::display
