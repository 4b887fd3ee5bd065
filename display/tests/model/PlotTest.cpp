#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "TestSupport.h"
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
    EXPECT_TRUE(BuildPlotChart(Read(""), PlotSettings{}).primitives.empty());
}

TEST(PlotData, TwoHundredValuesInARowAreAccepted) {
    std::string row;
    for (int i = 0; i < kMaxPlotPositions; ++i) {
        row += " 1.00";
    }
    EXPECT_EQ(Read(row).positionCount, kMaxPlotPositions);
    EXPECT_THROW(Read(row + " 1.00"), ReadError);
}

TEST(PlotData, ThirtySixHundredRowsAreAccepted) {
    std::string text;
    for (int i = 0; i < kMaxPlotRows - 1; ++i) {
        text += "1 -1\n";
    }
    EXPECT_EQ(Read(text + "1\n").rowCount(), kMaxPlotRows);
    try {
        Read(text + "1 -1\n1\n");
        FAIL() << "3601 rows accepted";
    } catch (const ReadError& error) {
        EXPECT_NE(std::string(error.what()).find("line 3601: more than 3600 rows"),
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
    EXPECT_EQ(PlotShadeColour(0), (Rgb{255, 250, 250}));
    EXPECT_EQ(PlotShadeColour(250), (Rgb{5, 0, 0}));
}

TEST(PlotChart, BlocksSumStepRowsAndTheLastBlockIsShorter) {
    const PlotData data = Read("1 0 -1\n2 0 -1\n3 0 -1\n4 0 -1\n5 0");
    PlotSettings settings;
    settings.step = 2;
    const std::vector<PlotBlock> blocks = PlotBlocks(data, settings);
    ASSERT_EQ(blocks.size(), 6U);  // 2 positions x 3 blocks
    const double w = 5200.0;       // 26000 / 5
    EXPECT_EQ(blocks[0].sum, 3.0);
    EXPECT_EQ(blocks[0].box.left, 0.0);
    EXPECT_EQ(blocks[0].box.right, 2 * w);
    EXPECT_EQ(blocks[2].sum, 5.0);
    EXPECT_EQ(blocks[2].box.left, 4 * w);
    EXPECT_EQ(blocks[2].box.right, 5 * w);
    EXPECT_EQ(blocks[3].box.top, 2050.0);  // 4100 / 2
    EXPECT_EQ(blocks[3].box.colour, PlotShadeColour(0));
    EXPECT_EQ(blocks[1].box.colour, PlotShadeColour(175));  // 3 + 4 = 7
}

TEST(PlotChart, AStepLongerThanTheRowsGivesOneBlockPerPosition) {
    const PlotData data = Read("1 1 -1\n1 1 -1\n1 1");
    PlotSettings settings;
    settings.step = 50;
    const std::vector<PlotBlock> blocks = PlotBlocks(data, settings);
    ASSERT_EQ(blocks.size(), 2U);
    EXPECT_EQ(blocks[0].box.left, 0.0);
    EXPECT_EQ(blocks[0].box.right, 3 * std::nearbyint(26000.0 / 3));
    EXPECT_EQ(blocks[0].sum, 3.0);
}

TEST(PlotChart, SixteenShadesShowTheLastSixAtTheDarkest) {
    PlotSettings settings;
    settings.nInterval = 16;
    const Scene scene = BuildPlotChart(Read("1 -1\n2"), settings);
    std::vector<SceneBox> legend;
    std::vector<std::string> labels;
    for (const ScenePrimitive& p : scene.primitives) {
        if (const auto* box = std::get_if<SceneBox>(&p); box && box->left > kPlotWidth) {
            legend.push_back(*box);
        }
        if (const auto* text = std::get_if<SceneText>(&p); text && text->anchor.x > kPlotWidth) {
            labels.push_back(text->text);
        }
    }
    ASSERT_EQ(legend.size(), 16U);
    EXPECT_EQ(legend[9].colour, PlotShadeColour(225));
    for (size_t k = 10; k < 16; ++k) {
        EXPECT_EQ(legend[k].colour, PlotShadeColour(250));
    }
    EXPECT_EQ(legend[1].top - legend[0].top, 230.0);
    EXPECT_EQ(legend[0].right - legend[0].left, 180.0);
    EXPECT_EQ(labels.front(), " 0-1");
    EXPECT_EQ(labels.back(), " 15-16");
}

TEST(PlotChart, TicksMarkBlocksAndPositions) {
    PlotSettings settings;
    settings.step = 2;
    const Scene scene = BuildPlotChart(Read("1 1 -1\n1 1 -1\n1 1 -1\n1 1"), settings);
    int timeTicks = 0;
    int distanceTicks = 0;
    for (const ScenePrimitive& p : scene.primitives) {
        if (const auto* line = std::get_if<SceneLine>(&p)) {
            timeTicks += line->from.y == -50.0 ? 1 : 0;
            distanceTicks += line->from.x == -200.0 ? 1 : 0;
        }
    }
    EXPECT_EQ(timeTicks, 3);  // at 0, 2 and 4 rows
    EXPECT_EQ(distanceTicks, 2);
}

}  // namespace
}  // namespace talvo::display
