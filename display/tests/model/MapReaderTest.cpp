#include <gtest/gtest.h>

#include "ReaderTestSupport.h"
#include "model/ReadError.h"

namespace talvo::display {
namespace {

using test::DataFile;

TEST(MapReader, KeepsWhatTheDisplayDraws) {
    const DisplayModel model = test::LoadCorridorMap();
    EXPECT_EQ(model.parameters.jamDensity, 150);
    EXPECT_EQ(model.parameters.timeStep, 1);
    EXPECT_EQ(model.parameters.endSimulationStep, 300);
    EXPECT_EQ(model.parameters.startStep, 0);
    EXPECT_EQ(model.parameters.endStep, 300);
    EXPECT_EQ(model.parameters.phaseCycle, 10);
    EXPECT_DOUBLE_EQ(model.parameters.cellScaleX, 1.5);
    EXPECT_DOUBLE_EQ(model.parameters.cellScaleY, 100.0);
    ASSERT_EQ(model.cells.size(), 12U);
    EXPECT_EQ(model.cells[4].cellID, 5);
    EXPECT_EQ(model.cells[4].signalID, 1);
    EXPECT_DOUBLE_EQ(model.cells[4].x, 1800.0);
    EXPECT_EQ(model.cells[9].orientation, 2);
    EXPECT_DOUBLE_EQ(model.cells[9].speed, 30.0);
    ASSERT_EQ(model.links.size(), 10U);
    EXPECT_EQ(model.links[4].passNode, 13);
    ASSERT_EQ(model.nodes.size(), 1U);
    EXPECT_EQ(model.nodes[0].stageNum, 2);
    EXPECT_EQ(model.nodes[0].offset, 5);
    ASSERT_EQ(model.nodes[0].stages.size(), 2U);
    EXPECT_EQ(model.nodes[0].stages[1].stageTime, 25);
    EXPECT_EQ(model.nodes[0].stages[1].moves, std::vector<int>{2});
    ASSERT_EQ(model.streets.size(), 2U);
    EXPECT_EQ(model.streets[1].streetName, "Side St");
    EXPECT_EQ(model.streets[1].cellIDs, (std::vector<int>{8, 9, 10, 11, 12}));
}

TEST(MapReader, SizesOneRedSignalRowPerLinkThroughANode) {
    const DisplayModel model = test::LoadCorridorMap();
    ASSERT_EQ(model.signalRows.size(), 2U);
    EXPECT_EQ(model.signalRows[0].linkIndex, 4);  // 5 -> 6
    EXPECT_EQ(model.signalRows[1].linkIndex, 8);  // 10 -> 11
    EXPECT_EQ(model.signalRows[0].states.size(), 301U);
    EXPECT_EQ(model.signalRows[0].states[0], 1);  // the from-cell's signal
    EXPECT_EQ(model.signalRows[1].states[0], 2);
    EXPECT_EQ(model.signalRowOfLink(0), nullptr);  // a link without passNode has no row
    EXPECT_EQ(model.signalStateAt(4, 100), kRed);
}

TEST(MapReader, ReadsAProjectWithTwoNodesAndStreetsOutOfTableOrder) {
    const DisplayModel model = test::LoadCorridorMap(DataFile("export_corridor.tin"));
    EXPECT_EQ(model.cells.size(), 13U);
    EXPECT_EQ(model.nodes.size(), 2U);
    EXPECT_EQ(model.streets[1].cellIDs, (std::vector<int>{10, 11, 12}));
    EXPECT_EQ(model.signalRows.size(), 4U);
}

TEST(MapReader, RefusesAFileThatDoesNotReadAndLeavesTheModel) {
    DisplayModel model = test::LoadCorridorMap();
    const std::string broken = test::WriteTempFile(
        "broken.tin", test::ReadText(DataFile("corridor_run.tin")).substr(0, 300));
    EXPECT_THROW(ReadDisplayMap(broken, model), ReadError);
    EXPECT_EQ(model.cells.size(), 12U);
}

// Past the classic 9999 s up to what the engine runs; beyond it the file is refused.
TEST(MapReader, RefusesAnAnalysisPeriodBeyondTheTimeTables) {
    DisplayModel model;
    ReadDisplayMap(test::CorridorProjectWithEndStep(10000), model);
    EXPECT_EQ(model.parameters.endStep, 10000);
    DisplayModel refused;
    EXPECT_THROW(ReadDisplayMap(test::CorridorProjectWithEndStep(100001), refused), ReadError);
    EXPECT_TRUE(refused.cells.empty());
}

}  // namespace
}  // namespace talvo::display
