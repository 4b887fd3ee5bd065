#include <gtest/gtest.h>

#include "ReaderTestSupport.h"
#include "model/ReadError.h"

namespace talvo::display {
namespace {

using test::DataFile;

TEST(MapReader, KeepsWhatTheDisplayDraws) {
    const DisplayModel model = test::LoadCorridorMap();
    const GlobalParameters& parameters = model.parameters();
    EXPECT_EQ(parameters.jamDensity, 150);
    EXPECT_EQ(parameters.timeStep, 1);
    EXPECT_EQ(parameters.endSimulationStep, 300);
    EXPECT_EQ(parameters.startStep, 0);
    EXPECT_EQ(parameters.endStep, 300);
    EXPECT_EQ(parameters.phaseCycle, 10);
    EXPECT_DOUBLE_EQ(parameters.cellScaleX, 1.5);
    EXPECT_DOUBLE_EQ(parameters.cellScaleY, 100.0);
    const NetworkTables& tables = model.project.tables;
    ASSERT_EQ(tables.cells.size(), 12U);
    EXPECT_EQ(tables.cells[4].cellID, 5);
    EXPECT_EQ(tables.cells[4].signalID, 1);
    EXPECT_DOUBLE_EQ(tables.cells[4].x, 1800.0);
    EXPECT_EQ(tables.cells[9].orientation, 2);
    EXPECT_DOUBLE_EQ(tables.cells[9].speed, 30.0);
    ASSERT_EQ(tables.links.size(), 10U);
    EXPECT_EQ(tables.links[4].passNode, 13);
    ASSERT_EQ(tables.nodes.size(), 1U);
    EXPECT_EQ(tables.nodes[0].stageNum, 2);
    EXPECT_EQ(tables.nodes[0].offset, 5);
    EXPECT_EQ(tables.nodes[0].stages[1].stageTime, 25);
    EXPECT_EQ(tables.nodes[0].stages[1].stageMoves, std::vector<int>{2});
    ASSERT_EQ(tables.streets.size(), 2U);
    EXPECT_EQ(tables.streets[1].streetName, "Side St");
    EXPECT_EQ(tables.streets[1].cellIDs, (std::vector<int>{8, 9, 10, 11, 12}));
}

TEST(MapReader, SizesOneRedSignalRowPerLinkThroughANode) {
    const DisplayModel model = test::LoadCorridorMap();
    ASSERT_EQ(model.signalRows.size(), 2U);
    const SignalRow* first = model.signalRowOfLink(5);   // 5 -> 6
    const SignalRow* second = model.signalRowOfLink(9);  // 10 -> 11
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->states.size(), 301U);
    EXPECT_EQ(first->states[0], 1);  // the from-cell's signal
    EXPECT_EQ(second->states[0], 2);
    EXPECT_EQ(model.signalRowOfLink(1), nullptr);  // a link without passNode has no row
    EXPECT_EQ(model.signalStateAt(5, 100), kRed);
}

TEST(MapReader, ReadsAProjectWithTwoNodesAndStreetsOutOfTableOrder) {
    const DisplayModel model = test::LoadCorridorMap(DataFile("export_corridor.tin"));
    EXPECT_EQ(model.project.tables.cells.size(), 13U);
    EXPECT_EQ(model.project.tables.nodes.size(), 2U);
    EXPECT_EQ(model.project.tables.streets[1].cellIDs, (std::vector<int>{10, 11, 12}));
    EXPECT_EQ(model.signalRows.size(), 4U);
}

TEST(MapReader, RefusesAFileThatDoesNotReadAndLeavesTheModel) {
    DisplayModel model = test::LoadCorridorMap();
    const std::string broken = test::WriteTempFile(
        "broken.tin", test::ReadText(DataFile("corridor_run.tin")).substr(0, 300));
    EXPECT_THROW(ReadDisplayMap(broken, model), ReadError);
    EXPECT_EQ(model.project.tables.cells.size(), 12U);
}

// Past the classic 9999 s up to what the engine runs; beyond it the file is refused.
TEST(MapReader, RefusesAnAnalysisPeriodBeyondTheTimeTables) {
    DisplayModel model;
    ReadDisplayMap(test::CorridorProjectWithEndStep(10000), model);
    EXPECT_EQ(model.parameters().endStep, 10000);
    DisplayModel refused;
    EXPECT_THROW(ReadDisplayMap(test::CorridorProjectWithEndStep(100001), refused), ReadError);
    EXPECT_TRUE(refused.project.tables.cells.empty());
}

}  // namespace
}  // namespace talvo::display
