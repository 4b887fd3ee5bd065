// The district example (about 2,000 cells, 64 junctions): the existing plan and every
// search variant complete on it, cut to a few minutes and generations so that the suite
// stays short; and how far its 32-bit total weighted delay lies from the same sum in
// double precision over the full hour.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Delay.h"
#include "RunSetup.h"
#include "Simulation.h"
#include "SmallScenario.h"
#include "TestNetworks.h"
#include "TimingPlanFile.h"
#include "format/RecordWriter.h"
#include "input/ScenarioReader.h"
#include "input/TokenReader.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;
using test::ReadFileText;

const fs::path kDistrict = fs::path(TALVO_SOURCE_DIR) / "examples" / "district";
const fs::path kGrid = fs::path(TALVO_SOURCE_DIR) / "examples" / "grid";

std::vector<std::string> InputLines(const fs::path& example) {
    std::istringstream in(ReadFileText(example / "input.fin"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> DistrictLines() {
    return InputLines(kDistrict);
}

struct Variant {
    const char* name;
    const char* optimise;
    const char* strategy;
    const char* report;
};

class DistrictRun : public testing::TestWithParam<Variant> {};

TEST_P(DistrictRun, CompletesWithItsReport) {
    const Variant& v = GetParam();
    std::vector<std::string> lines = DistrictLines();
    lines[0] = v.optimise;
    lines[1] = v.strategy;
    lines[5] = "1\t240";  // four minutes of the hour
    lines[6] = "0\t240";
    lines[7] = "4";  // population
    lines[8] = "2";  // generations
    test::RunSetup setup(test::JoinLines(lines));
    fs::copy_file(kDistrict / "plan.tpl", setup.file("plan.tpl"),
                  fs::copy_options::overwrite_existing);
    std::string console;
    ASSERT_EQ(setup.run(console), 0) << console;
    EXPECT_NE(ReadFileText(setup.file(v.report)).find("Total weighted delay(hr):"),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Example, DistrictRun,
                         testing::Values(Variant{"ExistingPlan", "N", "1", "output_exist.out"},
                                         Variant{"FGFC", "Y", "1", "output_FGFC.out"},
                                         Variant{"VGFC", "Y", "2", "output_VGFC.out"},
                                         Variant{"VGVC", "Y", "3", "output_VGVC.out"}),
                         [](const testing::TestParamInfo<Variant>& info) {
                             return info.param.name;
                         });

// The grid's cycle-by-cycle chromosome (7 bits x 24 optimised stages x 40 cycles) is past
// the 3000 stage bits the classic tables held.
TEST(GridExample, VgfcSearchCompletes) {
    std::vector<std::string> lines = InputLines(kGrid);
    lines[1] = "2";
    lines[7] = "4";
    lines[8] = "2";
    test::RunSetup setup(test::JoinLines(lines));
    fs::copy_file(kGrid / "plan.tpl", setup.file("plan.tpl"), fs::copy_options::overwrite_existing);
    std::string console;
    ASSERT_EQ(setup.run(console), 0) << console;
    EXPECT_NE(ReadFileText(setup.file("output_VGFC.out")).find("Total weighted delay(hr):"),
              std::string::npos);
}

// The engine sums the delay in floats, as reports have always been computed; the same sum
// of the same per-cell delays in double shows what the float accumulation loses over an
// hour of 2,000 cells.
TEST(DistrictRounding, FloatTotalWeightedDelayStaysCloseToTheDoubleSum) {
    std::vector<std::string> lines = DistrictLines();
    lines[0] = "N";
    std::istringstream input(test::JoinLines(lines));
    TokenReader reader(input, "input.fin");
    auto scenario = std::make_unique<Scenario>();
    auto tables = std::make_unique<TimeTables>();
    std::ostringstream echo, console;
    RecordWriter writer(echo);
    ReadWholeScenario(reader, *scenario, *tables, writer, console);
    auto signals = std::make_unique<SignalTables>();
    BuildSignalTable(*scenario, ExistingStagePlan(*scenario), *signals);
    const test::RecordedRun run(*scenario, *signals, *tables);
    const float twd = run.twd();

    const Scenario& s = *scenario;
    double exact = 0;
    for (int a = 1; a <= s.numApproaches; ++a) {
        double sum = 0;
        for (int32_t t = s.startStep; t <= s.endStep; t += s.timeStep) {
            for (int m = 1; m <= s.maxGroupCells; ++m) {
                sum += double(run.run->D(s.approaches[a].cells[m], t));
            }
        }
        exact += double(s.approaches[a].weight) * sum * double(s.timeStep);
    }
    const double relative = std::fabs(double(twd) - exact) / exact;
    std::cout << "district TWD: float " << twd << ", double " << exact << ", relative difference "
              << relative << "\n";
    EXPECT_GT(exact, 1e6);
    EXPECT_LT(relative, 1e-4);
}

}  // namespace
}  // namespace talvo
