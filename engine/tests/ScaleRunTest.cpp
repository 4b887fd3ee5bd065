// Whole runs of networks past the classic table sizes (200 cells, 30 intersections, 300
// stages, 30 records numbered to 100, 20 approaches of 50 cells, 9999 s, 3000 stage bits),
// the columns that widen for them.

#include <gtest/gtest.h>

#include <string>

#include "RunSetup.h"
#include "ScaleNetwork.h"
#include "SmallScenario.h"

namespace talvo {
namespace {

using test::MakeScaleNetwork;
using test::ReadFileText;
using test::RunSetup;
using test::ScaleFiles;
using test::ScaleShape;

struct ScaleRun {
    ScaleFiles files;
    RunSetup setup;
    std::string console;
    int status = 0;

    explicit ScaleRun(const ScaleShape& shape)
        : files(MakeScaleNetwork(shape)), setup(files.input) {
        test::WriteFileText(setup.file("plan.tpl"), files.plan);
        status = setup.run(console);
    }
    std::string text(const char* name) const { return ReadFileText(setup.file(name)); }
};

// From the approach section on (groups, delay table), no field turned into asterisks.
bool NoAsterisksFromTheApproaches(const std::string& report) {
    const size_t heading = report.find("A P P R O A C H");
    return heading != std::string::npos &&
           report.find('*', report.find("\r\n", heading)) == std::string::npos;
}

TEST(ScaleRun, PastEveryClassicTableSizeTheExistingPlanRuns) {
    const ScaleRun run(ScaleShape{});
    ASSERT_EQ(run.status, 0) << run.console;
    EXPECT_GT(run.files.cells, 200);
    EXPECT_GT(run.files.records, 30);
    const std::string report = run.text("output_exist.out");
    EXPECT_NE(report.find("Intersection:   31    Number of Stages:      2"), std::string::npos);
    EXPECT_NE(report.find("Intersection:    1    Number of Stages:    301"), std::string::npos);
    EXPECT_NE(report.find("Cell 60"), std::string::npos);
    EXPECT_NE(report.find("\r\n   25        1.00 "), std::string::npos);  // approach 25's delay
    EXPECT_TRUE(NoAsterisksFromTheApproaches(report));
    // Record 127 (past the classic 100) in the plan written back.
    EXPECT_NE(run.text("opt_exist_plan.tpl").find("\r\n  127\r\n"), std::string::npos);
    EXPECT_NE(run.text("occu_exist.occ").find("  600       344"), std::string::npos);
}

TEST(ScaleRun, VgfcSearchOfMoreThan3000StageBits) {
    ScaleShape shape;
    shape.optimise = 'Y';
    shape.controlStrategy = 2;
    shape.phaseCycle = 2;  // 7 x (301 + 30 x 2) free stages x 2 cycles = 5054 stage bits
    shape.endTime = 300;
    const ScaleRun run(shape);
    ASSERT_EQ(run.status, 0) << run.console;
    EXPECT_NE(run.text("output_VGFC.out").find("Total weighted delay(hr):"), std::string::npos);
}

// Past 9999 s: the time tables, the sequences and the plan file reach the run's end.
TEST(ScaleRun, RunsPastTenThousandSeconds) {
    ScaleShape shape;
    shape.junctions = 1;
    shape.firstStages = 2;
    shape.segment = 2;
    shape.maxGroupCells = 3;
    shape.approaches = 2;
    shape.phaseCycle = 200;  // 200 cycles of 4 s plus offset: the plan ends before 10500
    shape.endTime = 10500;
    const ScaleRun run(shape);
    ASSERT_EQ(run.status, 0) << run.console;
    const std::string plan = run.text("opt_exist_plan.tpl");
    EXPECT_NE(plan.find("  0    10500\r\n  0    10501\r\n"), std::string::npos) << plan;
    const std::string occupancy = run.text("occu_exist.occ");
    EXPECT_NE(occupancy.find("\r\n10500         1"), std::string::npos);
    const std::string report = run.text("output_exist.out");
    EXPECT_NE(report.find("End Simulation Step:        10500"), std::string::npos);
}

// An index or time too wide for its column widens it; asterisks would lose it.
TEST(ScaleRun, IndicesPastTheirColumnsWiden) {
    ScaleShape shape;
    shape.junctions = 260;
    shape.firstStages = 2;
    shape.maxGroupCells = 1005;  // the arterial's first 1005 cells
    shape.maxCycle = 12000;
    shape.endTime = 20;
    const ScaleRun run(shape);
    ASSERT_EQ(run.status, 0) << run.console;
    const std::string report = run.text("output_exist.out");
    EXPECT_NE(report.find("\r\n999  1-TR-999 "), std::string::npos);
    EXPECT_NE(report.find("\r\n1000  1-TR-1000"), std::string::npos);  // I3
    EXPECT_NE(report.find("Cmax:12000"), std::string::npos);           // I4
    EXPECT_NE(report.find("  Cell999  Cell1000"), std::string::npos);  // I3
    EXPECT_TRUE(NoAsterisksFromTheApproaches(report));
}

}  // namespace
}  // namespace talvo
