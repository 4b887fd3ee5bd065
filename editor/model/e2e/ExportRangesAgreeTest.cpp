// The export and the engine refuse the same values. Each case changes the bundled example
// project; the export's checks must refuse it with their message, and the engine, run on
// what the export would write without its checks, must refuse it too, naming the file, the
// line and the value. The values at the edges of the ranges pass both.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "common/ProjectReader.h"
#include "model/ExportChecks.h"
#include "model/Prompter.h"
#include "model/ScenarioWriter.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;

class Recorder : public Prompter {
  public:
    void caution(const std::string& text) override { cautions += text; }
    bool warning(const std::string&) override { return true; }
    std::string cautions;
};

std::string ReadText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The engine's last console line after a run on the project's input files.
std::string RunEngineOn(const Project& project, int& status) {
    const fs::path dir =
        fs::temp_directory_path() / ("talvo_e2e_ranges_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "run");
    WriteText(dir / "run" / "input.fin", FormatScenario(project));
    WriteText(dir / "run" / "plan.tpl", FormatPlan(project));
    WriteText(dir / "inout.dir", (dir / "run").string() + "/\r\n");
    const std::string command =
        "cd '" + dir.string() + "' && '" + TALVO_ENGINE_EXE + "' > console.txt 2>&1";
    const int raw = std::system(command.c_str());
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::string console = ReadText(dir / "console.txt");
    fs::remove_all(dir);
    while (!console.empty() && console.back() == '\n') {
        console.pop_back();
    }
    return console.substr(console.rfind('\n') + 1);
}

struct RangeCase {
    const char* name;
    std::function<void(Project&)> change;
    const char* exportMessage;  // empty: both take the value
    const char* engineMessage;  // what follows "Error in <input.fin>"
};

void PrintTo(const RangeCase& c, std::ostream* out) {
    *out << c.name;
}

class ExportAndEngine : public ::testing::TestWithParam<RangeCase> {};

TEST_P(ExportAndEngine, RefuseTheSameValues) {
    const RangeCase& c = GetParam();
    const fs::path example = fs::path(TALVO_SOURCE_DIR) / "examples" / "arterial" / "arterial.tin";
    ProjectReadResult read = ReadProject(example.string(), ProjectLayout::Current);
    ASSERT_TRUE(read.ok) << read.detail;
    c.change(read.project);

    Recorder prompter;
    const bool stopped = ValidateForExport(read.project, prompter);
    int status = 0;
    const std::string engine = RunEngineOn(read.project, status);
    if (std::string(c.exportMessage).empty()) {
        EXPECT_FALSE(stopped) << prompter.cautions;
        EXPECT_EQ(status, 0) << engine;
        return;
    }
    EXPECT_TRUE(stopped);
    EXPECT_EQ(prompter.cautions, c.exportMessage);
    EXPECT_EQ(status, 1);
    const std::string prefix = " Error in ";
    ASSERT_EQ(engine.rfind(prefix, 0), 0u) << engine;
    const size_t file = engine.find("input.fin");
    ASSERT_NE(file, std::string::npos) << engine;
    EXPECT_EQ(engine.substr(file + 9), c.engineMessage);
}

// Cell 1 (1-OR-1, the first record, line 16) has two loadings, the first on line 46;
// cell 6 (1-DI-6, line 21) diverges through links 6 and 17.
CellRecord& Cell(Project& p, int id) {
    for (CellRecord& cell : p.tables.cells) {
        if (cell.cellID == id) {
            return cell;
        }
    }
    throw std::runtime_error("no cell " + std::to_string(id));
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ExportAndEngine,
    ::testing::Values(
        RangeCase{"EdgesPassBoth",
                  [](Project& p) {
                      p.params.wvRatio = 1;
                      p.params.initialCellOccupancy = 100;
                      p.params.endSimulationStep = 9998;
                      Cell(p, 1).laneNum = 20;
                      Cell(p, 1).speed = 200;
                      Cell(p, 1).capacityFactor = 0;
                  },
                  "", ""},
        RangeCase{"WvRatio", [](Project& p) { p.params.wvRatio = -1; },
                  "The V/W Ratio is -1, outside what the engine takes: above 0 and at most 1.",
                  ", line 3: wvRatio is -1, expected above 0 and at most 1"},
        RangeCase{"JamDensity", [](Project& p) { p.params.jamDensity = 0; },
                  "The Jam Density is 0, outside what the engine takes: above 0 and at most "
                  "1000.",
                  ", line 4: jamDensity is 0, expected above 0 and at most 1000"},
        RangeCase{"MutationRate", [](Project& p) { p.params.mutationRate = 1.5; },
                  "The Mutation Rate is 1.5, outside what the engine takes: 0 to 1.",
                  ", line 11: mutationRate is 1.5, expected 0 to 1"},
        RangeCase{"LastStep", [](Project& p) { p.params.endSimulationStep = 9999; },
                  "The End Simulation Step is 9999, outside what the engine takes with a Time "
                  "Step of 1: at most 9998, so that its last step ends by 9999.",
                  ", line 6: endSimulationStep is 9999, expected 0 to 9998"},
        RangeCase{"DelayPeriodOffTheSteps",
                  [](Project& p) {
                      p.params.timeStep = 2;
                      p.params.startStep = 1;
                  },
                  "The Start Step is 1, which the engine does not take: the delay period starts "
                  "on a step, a multiple of the Time Step of 2.",
                  ", line 7: startStep is 1, expected a multiple of timeStep 2 (the delay period "
                  "starts on a step)"},
        RangeCase{"Lanes", [](Project& p) { Cell(p, 1).laneNum = 21; },
                  "The number of lanes of cell 1 is 21, outside what the engine takes: above 0 "
                  "and at most 20.",
                  ", line 16: laneNum of cell 1 is 21, expected above 0 and at most 20"},
        RangeCase{"Speed", [](Project& p) { Cell(p, 1).speed = 0; },
                  "The speed of cell 1 is 0, outside what the engine takes: above 0 and at most "
                  "200.",
                  ", line 16: fMax of cell 1 is 0, expected above 0 and at most 200"},
        RangeCase{"OwnOccupancy",
                  [](Project& p) {
                      Cell(p, 1).ownOccupancy = true;
                      Cell(p, 1).initialCarNum = 101;
                  },
                  "The initial occupancy of cell 1 is 101, outside what the engine takes: 0 to "
                  "100.",
                  ", line 16: fFULL of cell 1 is 101, expected 0 to 100"},
        RangeCase{"Split",
                  [](Project& p) {
                      for (LinkRecord& link : p.tables.links) {
                          if (link.linkID == 6 || link.linkID == 17) {
                              link.mergeDivert = link.linkID == 6 ? 1.5 : -0.5;
                          }
                      }
                  },
                  "The Merge/Divert proportion of link 6 is 1.50, outside what the engine "
                  "takes: 0 to 1.",
                  ", line 21: split1 of cell 6 is 1.50, expected 0 to 1"},
        RangeCase{"LoadRate", [](Project& p) { Cell(p, 1).intervals[0].orVehPerHr = 200000; },
                  "The Vehicle / Hour of interval #1 of cell 1 is 200000, outside what the "
                  "engine takes: 0 to 100000.",
                  ", line 46: loadRate of loading 1 is 200000, expected 0 to 100000"}),
    [](const ::testing::TestParamInfo<RangeCase>& info) { return info.param.name; });

}  // namespace
}  // namespace talvo
