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
#include "model/ScenarioWriter.h"
#include "platform/Prompter.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;

class Recorder : public Prompter {
  public:
    void caution(const std::string& text, const std::string& = {}) override { cautions += text; }
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
        // The engine runs to second 99999; a project ending at 100000 is refused by both.
        RangeCase{"LastStep", [](Project& p) { p.params.endSimulationStep = 100000; },
                  "The End Simulation Step of 100000 seconds is beyond the engine's last time of "
                  "99999 seconds.",
                  ", line 6: endSimulationStep is 100000, expected 0 to 99999"},
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
                  ", line 46: loadRate of loading 1 is 200000, expected 0 to 100000"},
        // Every time the engine reads is a second of its time tables, never below 0.
        RangeCase{"StartStep", [](Project& p) { p.params.startStep = -1; },
                  "The Start Step is -1, outside what the engine takes: 0 to 99999.",
                  ", line 7: startStep is -1, expected 0 to 100000"},
        RangeCase{"EndStep", [](Project& p) { p.params.endStep = -1; },
                  "The End Step is -1, outside what the engine takes: 0 to 99999.",
                  ", line 7: endStep is -1, expected 0 to 100000"},
        RangeCase{"IntervalStart", [](Project& p) { Cell(p, 1).intervals[0].orStart = -1; },
                  "The Start of interval #1 of cell 1 is -1, outside what the engine takes: 0 "
                  "to 99999.",
                  ", line 46: loadStart of loading 1 is -1, expected 0 to 100000"},
        RangeCase{"IntervalEnd", [](Project& p) { Cell(p, 1).intervals[0].orEnd = -1; },
                  "The End of interval #1 of cell 1 is -1, outside what the engine takes: 0 to "
                  "99999.",
                  ", line 46: loadEnd of loading 1 is -1, expected 0 to 100000"},
        RangeCase{"SimulatedCycles", [](Project& p) { p.params.phaseCycle = -1; },
                  "The Simulated Cycles is -1, outside what the engine takes: 0 to 99999.",
                  ", line 52: phaseCycle is -1, expected 0 to 100000"},
        RangeCase{"MaxCycleTime", [](Project& p) { p.params.maxCycleTime = -1; },
                  "The Max. Cycle Time is -1, outside what the engine takes: 0 to 99999.",
                  ", line 53: maxCycleTime is -1, expected 0 to 100000"},
        RangeCase{"MinimumGreenTime", [](Project& p) { p.params.minGreenTime = -1; },
                  "The Minimum Green Time is -1, outside what the engine takes: 0 to 99999.",
                  ", line 54: minGreenTime is -1, expected 0 to 100000"},
        RangeCase{"LostTime", [](Project& p) { p.params.lostTime = -1; },
                  "The Lost Time is -1, outside what the engine takes: 0 to 99999.",
                  ", line 55: lostTime is -1, expected 0 to 100000"},
        RangeCase{"NetworkCycleTime", [](Project& p) { p.params.networkCycleTime = -1; },
                  "The Regional Network Cycle Time is -1, outside what the engine takes: 0 to "
                  "99999.",
                  ", line 56: networkCycleTime is -1, expected 0 to 100000"},
        RangeCase{"NodeOffset", [](Project& p) { p.tables.nodes[0].offset = -1; },
                  "The Offset of node 19 is -1, outside what the engine takes: 0 to 99999.",
                  ", line 58: offset of intersection 1 is -1, expected 0 to 100000"},
        // A stage with movements is held to 5 seconds at least; one without (all red) must
        // have a time the engine takes too.
        RangeCase{"StageTime",
                  [](Project& p) {
                      NodeRecord& node = p.tables.nodes[0];
                      node.stageNum = 3;
                      node.stages[2].stageMoves.clear();
                      node.stages[2].stageTime = -1;
                  },
                  "The Stage Time of stage 3 of node 19 is -1, outside what the engine takes: 0 "
                  "to 99999.",
                  ", line 58: stage 3 time of intersection 1 is -1, expected 0 to 100000"},
        RangeCase{"PlotStart", [](Project& p) { p.tables.plotGroups[1].startStep = -1; },
                  "The Start of CTM plot 2 is -1, outside what the engine takes: 0 to 99999.",
                  ", line 77: plotStart of plot group 2 is -1, expected 0 to 100000"},
        RangeCase{"PlotEnd", [](Project& p) { p.tables.plotGroups[0].endStep = -1; },
                  "The End of CTM plot 1 is -1, outside what the engine takes: 0 to 99999.",
                  ", line 76: plotEnd of plot group 1 is -1, expected 0 to 100000"},
        RangeCase{"ControlStrategy",
                  [](Project& p) {
                      p.params.optimizationOn = true;
                      p.params.controlStrategy = 4;
                  },
                  "The Control Strategy is 4, outside what the engine takes: 1 to 3.",
                  ", line 2: controlStrategy is 4, expected 1 (FGFC), 2 (VGFC) or 3 (VGVC) for "
                  "an optimisation"}),
    [](const ::testing::TestParamInfo<RangeCase>& info) { return info.param.name; });

}  // namespace
}  // namespace talvo
