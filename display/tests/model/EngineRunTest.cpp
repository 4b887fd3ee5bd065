// The bundled arterial example as the editor drew it, read back with what the engine wrote
// for it: the display must put every engine cell's series on the cell the export named.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "ReaderTestSupport.h"
#include "model/DisplayScene.h"
#include "model/OccupancyReader.h"
#include "model/PlotData.h"
#include "model/TimePlanReader.h"

namespace talvo::display {
namespace {

using test::DataFile;

// The cell IDs of the engine's cells in its order: "street-TYPE-cellID" record names.
std::vector<int> EngineCellIDs(int cellCount) {
    std::ifstream in(DataFile("arterial_input.fin"));
    const std::regex name(R"(^(\d+)-([A-Z]{2})-(\d+)\t)");
    std::vector<int> ids;
    std::string line;
    while (std::getline(in, line) && static_cast<int>(ids.size()) < cellCount) {
        std::smatch match;
        if (std::regex_search(line, match, name)) {
            ids.push_back(std::stoi(match[3]));
        }
    }
    return ids;
}

DisplayModel LoadArterial() {
    DisplayModel model = test::LoadCorridorMap(DataFile("arterial.tin"));
    std::ifstream occupancy(DataFile("arterial_occu_exist.occ"), std::ios::binary);
    ReadOccupancy(occupancy, "arterial_occu_exist.occ", model);
    std::ifstream plan(DataFile("arterial_opt_exist_plan.tpl"), std::ios::binary);
    ApplyTimePlan(ReadTimePlan(plan, "arterial_opt_exist_plan.tpl", model), model);
    return model;
}

TEST(EngineRun, EveryEngineCellLandsOnTheCellTheExportNamed) {
    const DisplayModel model = LoadArterial();
    const std::string text = test::ReadText(DataFile("arterial_occu_exist.occ"));
    const int seconds = model.parameters().endSimulationStep + 1;
    const size_t cellCount = model.project.tables.cells.size();
    const std::vector<int> ids = EngineCellIDs(static_cast<int>(cellCount));
    ASSERT_EQ(ids.size(), cellCount);
    for (size_t k = 1; k <= ids.size(); ++k) {
        for (const int t : {0, 1, 137, 300, model.parameters().endStep}) {
            EXPECT_DOUBLE_EQ(model.occupancyAt(ids[k - 1], t),
                             test::EngineValue(text, seconds, static_cast<int>(k), t))
                << "engine cell " << k << " (cell " << ids[k - 1] << ") second " << t;
        }
    }
}

TEST(EngineRun, EverySignalisedLinkShowsGreenRedAndAmber) {
    const DisplayModel model = LoadArterial();
    ASSERT_FALSE(model.signalRows.empty());
    for (const auto& [linkID, row] : model.signalRows) {
        const auto count = [&](int state) {
            return std::count(row.states.begin() + 1, row.states.end(), state);
        };
        EXPECT_GT(count(kGreen), 0) << "signal " << row.states[0];
        EXPECT_GT(count(kRed), 0) << "signal " << row.states[0];
        EXPECT_GT(count(kAmber), 0) << "signal " << row.states[0];
    }
}

TEST(EngineRun, ThePlotFileReads) {
    std::ifstream in(DataFile("arterial_ctmplot_1.plt"), std::ios::binary);
    const PlotData data = ReadPlotData(in, "arterial_ctmplot_1.plt");
    EXPECT_GT(data.rowCount(), 1);
    EXPECT_GT(data.positionCount, 1);
    for (const std::vector<int>& row : data.rows) {
        EXPECT_EQ(static_cast<int>(row.size()), data.positionCount);
    }
}

// The larger example opens in the Display as it does in the Editor.
TEST(EngineRun, TheGridExampleIsAProjectTheDisplayDraws) {
    const DisplayModel model = test::LoadCorridorMap(test::ExampleFile("grid/grid.tin"));
    const scene::MapNetwork network = scene::MapNetworkOf(model.project);
    EXPECT_EQ(network.cells.size(), 190U);
    EXPECT_EQ(network.nodes.size(), 12U);
    EXPECT_EQ(model.project.tables.streets.size(), 7U);
    EXPECT_EQ(model.project.tables.plotGroups.size(), 2U);
    EXPECT_EQ(std::count_if(
                  network.cells.begin(), network.cells.end(),
                  [](const scene::MapCell& c) { return c.kind == scene::CellKind::Destination; }),
              7);
}

}  // namespace
}  // namespace talvo::display
