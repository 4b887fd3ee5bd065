// What the engine writes for networks past the classic table sizes reads back: its
// occupancy, its timing plan (closed past 10000 s in a longer run) and its plot file of more
// than 3600 rows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ScaleNetwork.h"
#include "TestSupport.h"
#include "model/OccupancyReader.h"
#include "model/PlotData.h"
#include "model/TimePlanReader.h"

namespace talvo::display {
namespace {

namespace fs = std::filesystem;

struct EngineRun {
    fs::path dir;
    talvo::test::ScaleFiles files;
    DisplayModel model;

    explicit EngineRun(const talvo::test::ScaleShape& shape, const std::string& name)
        : dir(fs::temp_directory_path() / ("talvo-display-" + name)),
          files(talvo::test::MakeScaleNetwork(shape)) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::ofstream(dir / "input.fin", std::ios::binary) << files.input;
        std::ofstream(dir / "plan.tpl", std::ios::binary) << files.plan;
        const std::string command =
            std::string(TALVO_ENGINE_EXE) + " " + dir.string() + " > " + (dir / "console").string();
        status = std::system(command.c_str());
        // One street of every engine cell in its order; the signalised cells as the engine's.
        GlobalParameters& parameters = model.project.params;
        parameters.timeStep = shape.timeStep;
        parameters.endSimulationStep = shape.endTime;
        parameters.startStep = 0;
        parameters.endStep = shape.endTime;
        StreetRecord street;
        for (int k = 1; k <= files.cells; ++k) {
            CellRecord cell;
            cell.cellID = k;
            cell.signalID = files.signalOfCell[size_t(k)];
            model.project.tables.cells.push_back(cell);
            street.cellIDs.push_back(k);
        }
        model.project.tables.streets.push_back(street);
    }
    ~EngineRun() { fs::remove_all(dir); }
    std::ifstream open(const char* name) const {
        return std::ifstream(dir / name, std::ios::binary);
    }

    int status = -1;
};

void ReadsBack(const talvo::test::ScaleShape& shape, const std::string& name) {
    EngineRun run(shape, name);
    ASSERT_EQ(run.status, 0) << test::ReadText((run.dir / "console").string());
    std::ifstream occupancy = run.open("occu_exist.occ");
    ReadOccupancy(occupancy, "occu_exist.occ", run.model);
    EXPECT_EQ(run.model.occupancy.at(run.files.cells).size(), size_t(shape.endTime) + 1);
    std::ifstream plan = run.open("opt_exist_plan.tpl");
    const std::vector<SignalSequence> sequences =
        ReadTimePlan(plan, "opt_exist_plan.tpl", run.model);
    EXPECT_EQ(int(sequences.size()), run.files.records);
    std::ifstream plot = run.open("ctmplot_1.plt");
    const PlotData data = ReadPlotData(plot, "ctmplot_1.plt");
    EXPECT_EQ(data.rowCount(), shape.endTime + 1);
    EXPECT_EQ(data.positionCount, shape.maxGroupCells);
}

// 344 cells, 31 junctions, 301 stages, 62 records numbered to 127, 25 approaches and a
// plot group of 60 cells.
TEST(ScaleRun, WideNetworkReadsBack) {
    ReadsBack(talvo::test::ScaleShape{}, "wide");
}

// 10500 s: a plan closed past 10000 and 10501 plot rows.
TEST(ScaleRun, LongRunReadsBack) {
    talvo::test::ScaleShape shape;
    shape.junctions = 1;
    shape.firstStages = 2;
    shape.segment = 2;
    shape.maxGroupCells = 3;
    shape.approaches = 2;
    shape.phaseCycle = 200;
    shape.endTime = 10500;
    ReadsBack(shape, "long");
}

}  // namespace
}  // namespace talvo::display
