#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "TestSupport.h"
#include "common/ProjectReader.h"
#include "model/BatchExport.h"
#include "model/EngineInputExport.h"
#include "model/ExportChecks.h"
#include "model/ScenarioWriter.h"

namespace talvo {
namespace {

using test::DataPath;
using test::PlanRecord;
using test::ReadText;
using test::RecordingPrompter;
using test::TempDir;
using test::WriteText;

Project LoadReference(const std::string& name) {
    const ProjectReadResult read = ReadProject(DataPath(name + ".tin"), ProjectLayout::Current);
    EXPECT_TRUE(read.ok) << read.detail;
    return read.project;
}

class ReferenceExport : public ::testing::TestWithParam<const char*> {};

TEST_P(ReferenceExport, ScenarioAndPlanMatchByteForByte) {
    const std::string name = GetParam();
    const Project project = LoadReference(name);
    RecordingPrompter prompter;
    EXPECT_FALSE(ValidateForExport(project, prompter));
    EXPECT_TRUE(prompter.cautions.empty());
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(FormatScenario(project), ReadText(DataPath(name + "/input.fin")));
    EXPECT_EQ(FormatPlan(project), ReadText(DataPath(name + "/plan.tpl")));
}

INSTANTIATE_TEST_SUITE_P(References, ReferenceExport,
                         ::testing::Values("corridor", "two_intervals"));

CellRecord NewCell(int id, int intervals = 0) {
    CellRecord cell;
    cell.cellID = id;
    cell.laneNum = 1;
    cell.orientation = 1;
    cell.speed = 40;
    cell.capacityFactor = 1;
    cell.capacity = 1;
    cell.intervals.assign(intervals, OriginInterval{300, 0, 900});
    return cell;
}

void AddLink(NetworkTables& t, int from, int to, int passNode = 0, double mergeDivert = 1) {
    LinkRecord link;
    link.linkID = ++t.lastLinkID;
    link.fromCell = from;
    link.toCell = to;
    link.passNode = passNode;
    link.mergeDivert = mergeDivert;
    t.links.push_back(link);
}

// Adds a cell to the first street and the first delay group so that it passes the
// grouping checks.
void AddGroupedCell(Project& p, const CellRecord& cell) {
    p.tables.cells.push_back(cell);
    p.tables.streets[0].cellIDs.push_back(cell.cellID);
    p.tables.delayGroups[0].cellIDs.push_back(cell.cellID);
}

struct CheckCase {
    const char* name;
    std::function<void(Project&)> change;
    const char* caution;  // expected refusal, or "" when the export goes on
    int warnings;         // warnings asked (answered OK)
};

void PrintTo(const CheckCase& c, std::ostream* out) {
    *out << c.name;
}

class ExportCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ExportCheck, StopsWithItsMessage) {
    const CheckCase& c = GetParam();
    Project project = LoadReference("corridor");
    c.change(project);
    RecordingPrompter prompter;
    const bool stopped = ValidateForExport(project, prompter);
    EXPECT_EQ(prompter.warnings.size(), static_cast<std::size_t>(c.warnings));
    if (std::string(c.caution).empty()) {
        EXPECT_FALSE(stopped);
        EXPECT_TRUE(prompter.cautions.empty()) << prompter.cautions.front();
    } else {
        EXPECT_TRUE(stopped);
        ASSERT_EQ(prompter.cautions.size(), 1u);
        EXPECT_EQ(prompter.cautions[0], c.caution);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Checks, ExportCheck,
    ::testing::Values(
        CheckCase{"C01_Empty", [](Project& p) { p.tables = NetworkTables{}; }, "The map is empty!",
                  0},
        CheckCase{"C02_MergingAndDivertingAtNode",
                  [](Project& p) {
                      AddLink(p.tables, 11, 4, 8);
                      AddLink(p.tables, 4, 12, 8);
                  },
                  "The cell(s): 4 is/are both merging and diverting.  It is not allowed.", 0},
        CheckCase{"C03_Invalid",
                  [](Project& p) {
                      AddLink(p.tables, 1, 3);
                      AddLink(p.tables, 1, 5);
                  },
                  "The cell(s): 1 is/are invalid cell type.  It is not allowed.", 0},
        CheckCase{"C04_OriginNotSet", [](Project& p) { p.tables.cells[7].intervals.clear(); },
                  "The OR cell(s): 10 is/are not set.  It is not allowed.", 0},
        CheckCase{"C05_LinksMergingAndDiverting",
                  [](Project& p) {
                      AddLink(p.tables, 5, 3);
                      AddLink(p.tables, 2, 6);
                  },
                  "The link(s): (2:3), (5:6), (5:3), (2:6) is/are both merging and diverting.  "
                  "It is not allowed.",
                  0},
        CheckCase{"C06_OneStage",
                  [](Project& p) {
                      p.tables.nodes[1].stageNum = 1;
                      p.tables.nodes[1].stages[0].stageTime = 60;
                  },
                  "The node(s): 9 has/have less than 2 phases.  It is not allowed.", 0},
        CheckCase{"C07_CycleTimeWarningOk",
                  [](Project& p) { p.tables.nodes[0].stages[0].stageTime = 45; }, "", 1},
        CheckCase{"C08_ToProportion",
                  [](Project& p) {
                      AddGroupedCell(p, NewCell(16));
                      AddLink(p.tables, 6, 16, 0, 0.5);
                      p.tables.links[5].mergeDivert = 0.6;
                  },
                  "The cell(s): 6 do/does not have correct To-Proportion.", 0},
        CheckCase{"C08_ToProportionExact",
                  [](Project& p) {
                      AddGroupedCell(p, NewCell(16));
                      AddLink(p.tables, 6, 16, 0, 0.4);
                      p.tables.links[5].mergeDivert = 0.6;
                  },
                  "", 0},
        CheckCase{"C09_FromProportion",
                  [](Project& p) {
                      AddGroupedCell(p, NewCell(17, 1));
                      AddLink(p.tables, 17, 7, 0, 0.3);
                  },
                  "The cell(s): 7 do/does not have correct From-Proportion.", 0},
        CheckCase{"C10_ShortStage",
                  [](Project& p) {
                      p.tables.nodes[0].stages[0].stageTime = 56;
                      p.tables.nodes[0].stages[1].stageTime = 4;
                  },
                  "The node(s): 8 has/have phase cycle intervals less than 5 seconds.", 0},
        CheckCase{"C11_SignalNotUsed", [](Project& p) { p.tables.cells[4].signalID = 9; },
                  "The signal(s) at node(s): 5 is/are not used.  It is not allowed.", 0},
        CheckCase{"C12_NoStreet",
                  [](Project& p) {
                      p.tables.streets[1].cellIDs = {10, 11};
                  },
                  "The cell(s): 12 is/are not yet assigned to street.", 0},
        CheckCase{"C13_NoDelayGroup",
                  [](Project& p) {
                      p.tables.delayGroups[2].cellIDs = {13, 14};
                  },
                  "The cell(s): 15 is/are not yet assigned to special road.", 0},
        CheckCase{"C14_SixPlotsWarningOk",
                  [](Project& p) {
                      for (int g = 0; g < 5; ++g) {
                          p.tables.plotGroups.push_back(p.tables.plotGroups[0]);
                      }
                  },
                  "", 1},
        CheckCase{"C14_FivePlotsNoWarning",
                  [](Project& p) {
                      for (int g = 0; g < 4; ++g) {
                          p.tables.plotGroups.push_back(p.tables.plotGroups[0]);
                      }
                  },
                  "", 0},
        CheckCase{"X1_DanglingStreetCell",
                  [](Project& p) { p.tables.streets[0].cellIDs.push_back(99); },
                  "The street 1 lists cell 99, which does not exist.", 0},
        CheckCase{"X2_SignalOffItsNode",
                  [](Project& p) {
                      p.tables.nodes[0].stages[0].stageMoves.push_back(9);
                      p.tables.cells[5].signalID = 9;
                  },
                  "The signal(s) at cell(s): 6 is/are not on a link through the node whose "
                  "phases use it.  It is not allowed.",
                  0},
        CheckCase{"X3_TooManyCellRecords",
                  [](Project& p) {
                      StreetRecord extra;
                      extra.cellIDs.assign(999988, 1);
                      p.tables.streets.push_back(extra);
                  },
                  "The network has 1000001 cell records to export.  The engine can take at most "
                  "1000000.",
                  0},
        // Past the engine's old 30 nodes and 30 signal records: exported.
        CheckCase{"X4_NodesPastTheOldLimit",
                  [](Project& p) {
                      for (int n = 0; n < 29; ++n) {
                          NodeRecord node = p.tables.nodes[0];
                          node.nodeID = 100 + n;
                          p.tables.nodes.push_back(node);
                      }
                  },
                  "", 0},
        CheckCase{"X5_SignalsPastTheOldLimit",
                  [](Project& p) {
                      NetworkTables& t = p.tables;
                      t.delayGroups.push_back({});
                      for (int k = 5; k <= 35; ++k) {
                          const int a = 100 + 2 * k;
                          CellRecord origin = NewCell(a, 1);
                          origin.signalID = k;
                          t.cells.push_back(origin);
                          t.cells.push_back(NewCell(a + 1));
                          t.streets[0].cellIDs.push_back(a);
                          t.streets[0].cellIDs.push_back(a + 1);
                          t.delayGroups[3].cellIDs.push_back(a);
                          t.delayGroups[k < 20 ? 0 : 1].cellIDs.push_back(a + 1);
                          AddLink(t, a, a + 1, 8);
                          t.nodes[0].stages[k < 20 ? 0 : 1].stageMoves.push_back(k);
                      }
                  },
                  "", 0},
        CheckCase{"X8_GroupBeyondEngine",
                  [](Project& p) {
                      p.tables.delayGroups[0].cellIDs.resize(Capacity::kGroupCells + 1, 1);
                  },
                  "The special road 1 has 100001 cells.  The engine can take at most 100000.", 0},
        CheckCase{"X6_TimeBeyondEngine", [](Project& p) { p.params.endSimulationStep = 100000; },
                  "The End Simulation Step of 100000 seconds is beyond the engine's last time of "
                  "99999 seconds.",
                  0},
        CheckCase{"X9_LastStepBeyondEngine", [](Project& p) { p.params.endSimulationStep = 99999; },
                  "The End Simulation Step is 99999, outside what the engine takes with a Time "
                  "Step of 1: at most 99998, so that its last step ends by 99999.",
                  0},
        CheckCase{"X7_IntervalBeyondEngine",
                  [](Project& p) { p.tables.cells[0].intervals[0].orEnd = 120000; },
                  "The end of interval #1 of cell 1 of 120000 seconds is beyond the engine's last "
                  "time of 99999 seconds.",
                  0}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return info.param.name; });

TEST(ExportChecks, CancelledWarningsStop) {
    Project project = LoadReference("corridor");
    project.tables.nodes[0].stages[0].stageTime = 45;
    RecordingPrompter prompter;
    prompter.warningAnswer = false;
    EXPECT_TRUE(ValidateForExport(project, prompter));
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0],
              "The node(s): 8 has/have phase cycle time different from the global network cycle "
              "time.  Do you really want it?");
    EXPECT_TRUE(prompter.cautions.empty());

    Project plots = LoadReference("corridor");
    for (int g = 0; g < 5; ++g) {
        plots.tables.plotGroups.push_back(plots.tables.plotGroups[0]);
    }
    plots.tables.plotGroups[2].occupancyPlot = false;
    plots.tables.plotGroups.push_back(plots.tables.plotGroups[0]);
    RecordingPrompter cancel;
    cancel.warningAnswer = false;
    EXPECT_TRUE(ValidateForExport(plots, cancel));
    ASSERT_EQ(cancel.warnings.size(), 1u);
    EXPECT_EQ(cancel.warnings[0],
              "The groups: 1, 2, 4, 5, 6, 7 are required to be plotted.  But the system can "
              "handle the first 5 CTM Plots only.  Do you really want it?");
}

TEST(ExportChecks, FirstFailingCheckWins) {
    // One stage at a node (check 6) and a cell in no street (check 12): only check 6 speaks.
    Project project = LoadReference("corridor");
    project.tables.nodes[1].stageNum = 1;
    project.tables.streets[1].cellIDs = {10, 11};
    RecordingPrompter prompter;
    EXPECT_TRUE(ValidateForExport(project, prompter));
    ASSERT_EQ(prompter.cautions.size(), 1u);
    EXPECT_EQ(prompter.cautions[0],
              "The node(s): 9 has/have less than 2 phases.  It is not allowed.");
}

TEST(ExportChecks, ListsJoinEveryOffender) {
    Project project = LoadReference("corridor");
    project.tables.streets.clear();
    RecordingPrompter prompter;
    EXPECT_TRUE(ValidateForExport(project, prompter));
    EXPECT_EQ(prompter.cautions.at(0),
              "The cell(s): 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15 is/are not yet assigned "
              "to street.");
}

TEST(PlanFile, ShortHorizonEndsAtTheLastStageThenRed) {
    Project project = LoadReference("corridor");
    project.params.phaseCycle = 2;
    const std::string plan = FormatPlan(project);
    EXPECT_EQ(PlanRecord(plan, 3),
              "3\r\n0\t10\r\n1\t48\r\n0\t72\r\n1\t108\r\n0\t130\r\n0\t1000\r\n0\t10000\r\n");
    EXPECT_EQ(PlanRecord(plan, 4),
              "4\r\n0\t10\r\n0\t52\r\n1\t68\r\n0\t112\r\n1\t130\r\n0\t1000\r\n0\t10000\r\n");
}

TEST(PlanFile, NoCyclesGivesRedThroughout) {
    Project project = LoadReference("corridor");
    project.params.phaseCycle = 0;
    project.params.endStep = 800;
    EXPECT_EQ(FormatPlan(project),
              "1\r\n0\t800\r\n0\t10000\r\n2\r\n0\t800\r\n0\t10000\r\n"
              "3\r\n0\t800\r\n0\t10000\r\n4\r\n0\t800\r\n0\t10000\r\n");
}

TEST(ScenarioFile, SignalRecordsKeepTheirMovementNumbers) {
    Project project = LoadReference("corridor");
    // Movement 2 becomes 7: the records are numbered 1, 3, 4, 7.
    project.tables.cells[8].signalID = 7;
    project.tables.nodes[1].stages[1].stageMoves = {7};
    const std::string scenario = FormatScenario(project);
    EXPECT_NE(scenario.find("4\r\n1\t2\tY\tN\r\n3\t1\tY\tN\r\n4\t1\tN\tY\r\n7\t2\tN\tY\r\n"),
              std::string::npos);
    EXPECT_NE(scenario.find("2-TR-11\t0\t1\t0.9\tTR\t2-OR-10\t0\t2-DE-12\t0\t0\t0\t0\tY\t7\t40"),
              std::string::npos);
    EXPECT_EQ(PlanRecord(FormatPlan(project), 7).substr(0, 3), "7\r\n");
}

TEST(ScenarioFile, DivergeAndMergeFields) {
    Project project = LoadReference("corridor");
    NetworkTables& t = project.tables;
    // Cell 6 diverges to 7 (0.6) and 16 (0.4); 16 and the origin 17 merge into 18.
    AddGroupedCell(project, NewCell(16));
    AddGroupedCell(project, NewCell(17, 2));
    AddGroupedCell(project, NewCell(18));
    t.links[5].mergeDivert = 0.6;
    AddLink(t, 6, 16, 0, 0.4);
    AddLink(t, 16, 18, 0, 0.6);
    AddLink(t, 17, 18, 0, 0.4);
    project.params.initialCellOccupancy = 12;
    RecordingPrompter prompter;
    ASSERT_FALSE(ValidateForExport(project, prompter)) << prompter.cautions.at(0);
    const std::string scenario = FormatScenario(project);
    const char* const records[] = {
        "1-DI-6\t12\t2\t1\tDI\t1-TR-5\t0\t1-DE-7\t1-ME-16\t0.60\t0.40\t0\tN\t0\t50\r\n",
        "1-ME-16\t12\t1\t1\tME\t1-DI-6\t0\t1-DE-18\t0\t0\t0\t0.60\tN\t0\t40\r\n",
        "1-OR-17\t12\t1\t1\tOR\t0\t0\t1-DE-18\t0\t0\t0\t0.40\tN\t0\t40\r\n",
        "1-DE-18\t12\t1\t1\tDE\t1-ME-16\t1-OR-17\t0\t0\t0\t0\t0\tN\t0\t40\r\n",
    };
    for (const char* record : records) {
        EXPECT_NE(scenario.find(record), std::string::npos) << record;
    }
    // Origins in table order with all their intervals: 1, 10, 13, then 17 twice.
    EXPECT_NE(scenario.find("\r\n5\r\n1\r\n1-OR-1\t900\t0\t900\r\n2-OR-10\t400\t0\t900\r\n"
                            "3-OR-13\t300\t0\t900\r\n1-OR-17\t300\t0\t900\r\n"
                            "1-OR-17\t300\t0\t900\r\n20\r\n"),
              std::string::npos);
    EXPECT_NE(scenario.find("\r\n16\r\n1-OR-1\t"), std::string::npos);  // 16 records
}

TEST(ExportFiles, WritesBothIntoTheRunDirectory) {
    TempDir dir;
    const Project project = LoadReference("corridor");
    RecordingPrompter prompter;
    ASSERT_TRUE(ExportToRunDirectory(project, dir.path().string(), prompter));
    EXPECT_EQ(ReadText(dir.file("input.fin")), ReadText(DataPath("corridor/input.fin")));
    EXPECT_EQ(ReadText(dir.file("plan.tpl")), ReadText(DataPath("corridor/plan.tpl")));
}

TEST(ExportFiles, FileErrorLeavesNothingHalfWritten) {
    TempDir dir;
    WriteText(dir.file("input.fin"), "previous");
    std::filesystem::create_directory(dir.file("plan.tpl"));  // plan.tpl cannot be written
    const Project project = LoadReference("corridor");
    RecordingPrompter prompter;
    EXPECT_FALSE(ExportToRunDirectory(project, dir.path().string(), prompter));
    ASSERT_EQ(prompter.cautions.size(), 1u);
    EXPECT_NE(prompter.cautions[0].find("plan.tpl"), std::string::npos) << prompter.cautions[0];
    EXPECT_EQ(ReadText(dir.file("input.fin")), "previous");
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 2);  // no temporary file left

    EXPECT_EQ(WriteRunFiles(dir.file("missing"), project).message(),
              "The output directory is invalid.  '" + dir.file("missing") + "' does not exist.");
}

// Marks a file append-only for the life of the object: the system then refuses to
// rename another file over it, although the file itself may be written.
class AppendOnly {
  public:
    explicit AppendOnly(const std::string& path)
        : descriptor_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        int flags = 0;
        set_ = descriptor_ >= 0 && ::ioctl(descriptor_, FS_IOC_GETFLAGS, &flags) == 0 &&
               (flags |= FS_APPEND_FL, ::ioctl(descriptor_, FS_IOC_SETFLAGS, &flags) == 0);
    }
    ~AppendOnly() {
        int flags = 0;
        if (set_ && ::ioctl(descriptor_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_APPEND_FL;
            ::ioctl(descriptor_, FS_IOC_SETFLAGS, &flags);
        }
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    bool set() const { return set_; }

  private:
    int descriptor_;
    bool set_ = false;
};

TEST(ExportFiles, PlanThatCannotBeReplacedLeavesTheScenarioAsItWas) {
    TempDir dir;
    WriteText(dir.file("input.fin"), "previous scenario");
    WriteText(dir.file("plan.tpl"), "previous plan");
    const AppendOnly lockedPlan(dir.file("plan.tpl"));
    if (!lockedPlan.set()) {
        GTEST_SKIP() << "marking a file append-only needs a privileged user and ext4 or alike";
    }
    RecordingPrompter prompter;
    EXPECT_FALSE(ExportToRunDirectory(LoadReference("corridor"), dir.path().string(), prompter));
    ASSERT_EQ(prompter.cautions.size(), 1u);
    EXPECT_NE(prompter.cautions[0].find("plan.tpl"), std::string::npos) << prompter.cautions[0];
    EXPECT_EQ(ReadText(dir.file("input.fin")), "previous scenario");
    EXPECT_EQ(ReadText(dir.file("plan.tpl")), "previous plan");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              2);
}

TEST(ExportFiles, CheckFailureWritesNothing) {
    TempDir dir;
    Project project = LoadReference("corridor");
    project.tables.nodes[1].stageNum = 1;
    RecordingPrompter prompter;
    EXPECT_FALSE(ExportToRunDirectory(project, dir.path().string(), prompter));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

int RunBatch(const std::vector<std::string>& args, std::string& out, std::string& err) {
    std::vector<std::string> storage = args;
    std::vector<char*> argv;
    for (std::string& arg : storage) {
        argv.push_back(arg.data());
    }
    std::ostringstream outStream;
    std::ostringstream errStream;
    const int code =
        RunBatchExport(static_cast<int>(argv.size()), argv.data(), outStream, errStream);
    out = outStream.str();
    err = errStream.str();
    return code;
}

TEST(BatchExport, WritesTheRunFilesAndExitsZero) {
    TempDir dir;
    std::string out;
    std::string err;
    EXPECT_EQ(RunBatch({"Editor", "--export", DataPath("two_intervals.tin"), dir.path().string()},
                       out, err),
              0);
    EXPECT_TRUE(err.empty()) << err;
    EXPECT_EQ(ReadText(dir.file("input.fin")), ReadText(DataPath("two_intervals/input.fin")));
    EXPECT_EQ(ReadText(dir.file("plan.tpl")), ReadText(DataPath("two_intervals/plan.tpl")));
}

TEST(BatchExport, PrintsWarningsAndGoesOn) {
    TempDir dir;
    std::string text = ReadText(DataPath("corridor.tin"));
    text.replace(text.find("40,#FALSE#,1"), 12, "45,#FALSE#,1");
    WriteText(dir.file("p.tin"), text);
    std::filesystem::create_directory(dir.file("run"));
    std::string out;
    std::string err;
    EXPECT_EQ(RunBatch({"Editor", "--export", dir.file("p.tin"), dir.file("run")}, out, err), 0);
    EXPECT_NE(out.find("Warning! The node(s): 8 has/have phase cycle time different"),
              std::string::npos)
        << out;
    EXPECT_TRUE(std::filesystem::exists(dir.file("run/input.fin")));
}

TEST(BatchExport, FailedCheckPrintsAndWritesNothing) {
    TempDir dir;
    std::string text = ReadText(DataPath("corridor.tin"));
    const std::string twoStages = "9,1350,3000,2,0\r\n35,#FALSE#,1\r\n1\r\n25,#FALSE#,1\r\n2\r\n";
    text.replace(text.find(twoStages), twoStages.size(),
                 "9,1350,3000,1,0\r\n35,#FALSE#,1\r\n1\r\n");
    WriteText(dir.file("p.tin"), text);
    std::filesystem::create_directory(dir.file("run"));
    std::string out;
    std::string err;
    EXPECT_NE(RunBatch({"Editor", "--export", dir.file("p.tin"), dir.file("run")}, out, err), 0);
    EXPECT_NE(err.find("The node(s): 9 has/have less than 2 phases.  It is not allowed."),
              std::string::npos)
        << err;
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("run")));
}

// The export names the directory and what is wrong with it, and writes nothing into a
// directory whose run is still going, as the run command refuses it.
TEST(BatchExport, ARunDirectoryThatCannotTakeTheInputIsRefusedWithItsReason) {
    TempDir dir;
    WriteText(dir.file("a-file"), "");
    std::filesystem::create_directory(dir.file("busy"));
    WriteText(dir.file("busy/input.fin"), "the running engine's");
    const int engine = ::open(dir.file("busy").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(engine, LOCK_EX | LOCK_NB), 0);  // as a running engine holds it
    const struct {
        std::string runDir;
        std::string message;
    } cases[] = {
        {dir.file("nowhere"),
         "The output directory is invalid.  '" + dir.file("nowhere") + "' does not exist."},
        {dir.file("a-file"),
         "The output directory is invalid.  '" + dir.file("a-file") + "' is not a directory."},
        {dir.file("busy"), "The engine is still running in '" + dir.file("busy") +
                               "'.  Wait until its run has ended, or choose another directory."},
    };
    for (const auto& c : cases) {
        std::string out;
        std::string err;
        EXPECT_EQ(RunBatch({"Editor", "--export", DataPath("corridor.tin"), c.runDir}, out, err),
                  1);
        EXPECT_EQ(err, "Caution! " + c.message + "\n");
    }
    EXPECT_EQ(ReadText(dir.file("busy/input.fin")), "the running engine's");
    EXPECT_FALSE(std::filesystem::exists(dir.file("busy/plan.tpl")));
    ::close(engine);
}

TEST(BatchExport, BadProjectOrArgumentsFail) {
    TempDir dir;
    WriteText(dir.file("bad.tin"), "0.25,#FALSE#\r\n");
    std::string out;
    std::string err;
    EXPECT_EQ(RunBatch({"Editor", "--export", dir.file("bad.tin"), dir.path().string()}, out, err),
              1);
    EXPECT_NE(err.find("Incorrect file format!  Check the version!"), std::string::npos);
    EXPECT_NE(err.find("bad.tin"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("input.fin")));
    EXPECT_EQ(RunBatch({"Editor", "--export", dir.file("bad.tin")}, out, err), 2);
    EXPECT_NE(err.find("Usage"), std::string::npos);
    EXPECT_EQ(
        RunBatch({"Editor", "--export", DataPath("corridor.tin"), dir.file("nowhere")}, out, err),
        1);
    EXPECT_NE(err.find("The output directory is invalid."), std::string::npos);
}

}  // namespace
}  // namespace talvo

namespace talvo {
namespace {

TEST(ExportFiles, ChosenPathsAreWrittenTogether) {
    test::TempDir dir;
    const Project project = LoadReference("two_intervals");
    ASSERT_TRUE(WriteInputFiles(dir.file("a.fin"), dir.file("b.tpl"), project).ok());
    EXPECT_EQ(test::ReadText(dir.file("a.fin")),
              test::ReadText(test::DataPath("two_intervals/input.fin")));
    EXPECT_EQ(test::ReadText(dir.file("b.tpl")),
              test::ReadText(test::DataPath("two_intervals/plan.tpl")));
    const EditResult failed =
        WriteInputFiles(dir.file("c.fin"), dir.file("missing/d.tpl"), project);
    EXPECT_FALSE(failed.ok());
    EXPECT_NE(failed.message().find("missing/d.tpl"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("c.fin")));
}

}  // namespace
}  // namespace talvo

namespace talvo {
namespace {

// The bundled example project gives exactly the bundled engine input.
TEST(ExampleProject, ArterialExportsToTheBundledInput) {
    const std::string dir = std::string(TALVO_SOURCE_DIR) + "/examples/arterial/";
    const ProjectReadResult read = ReadProject(dir + "arterial.tin", ProjectLayout::Current);
    ASSERT_TRUE(read.ok) << read.detail;
    test::RecordingPrompter prompter;
    EXPECT_FALSE(ValidateForExport(read.project, prompter));
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(FormatScenario(read.project), test::ReadText(dir + "input.fin"));
    EXPECT_EQ(FormatPlan(read.project), test::ReadText(dir + "plan.tpl"));
    // Streets, delay groups and plot groups as drawn.
    ASSERT_EQ(read.project.tables.streets.size(), 5u);
    EXPECT_EQ(read.project.tables.streets[0].streetName, "Harbour Road");
    EXPECT_EQ(read.project.tables.plotGroups.size(), 2u);
}

}  // namespace
}  // namespace talvo

namespace talvo {
namespace {

// Cautions and warnings in the order they were shown.
class LoggingPrompter : public Prompter {
  public:
    void caution(const std::string& text, const std::string& = {}) override {
        log.push_back("Caution! " + text);
    }
    bool warning(const std::string& text) override {
        log.push_back("Warning! " + text);
        return true;
    }
    std::vector<std::string> log;
};

// Faults for checks 14 down to 2 are added one at a time to a sound network; each time
// the check just broken is the first to speak, whatever later checks also fail.
TEST(ExportChecks, EachCheckSpeaksBeforeAllLaterOnes) {
    const struct {
        void (*fault)(Project&);
        std::vector<std::string> log;
    } steps[] = {
        {[](Project& p) {
             for (int g = 0; g < 5; ++g) {
                 p.tables.plotGroups.push_back(p.tables.plotGroups[0]);
             }
         },
         {"Warning! The groups: 1, 2, 3, 4, 5, 6 are required to be plotted.  But the system "
          "can handle the first 5 CTM Plots only.  Do you really want it?"}},
        {[](Project& p) {
             p.tables.delayGroups[2].cellIDs = {13, 14};
         },
         {"Caution! The cell(s): 15 is/are not yet assigned to special road."}},
        {[](Project& p) {
             p.tables.streets[1].cellIDs = {10, 11};
         },
         {"Caution! The cell(s): 12 is/are not yet assigned to street."}},
        {[](Project& p) { p.tables.cells[4].signalID = 9; },
         {"Caution! The signal(s) at node(s): 5 is/are not used.  It is not allowed."}},
        {[](Project& p) {
             p.tables.nodes[0].stages[0].stageTime = 56;
             p.tables.nodes[0].stages[1].stageTime = 4;
         },
         {"Caution! The node(s): 8 has/have phase cycle intervals less than 5 seconds."}},
        {[](Project& p) {
             AddGroupedCell(p, NewCell(17, 1));
             AddLink(p.tables, 17, 12, 0, 0.3);
         },
         {"Caution! The cell(s): 12 do/does not have correct From-Proportion."}},
        {[](Project& p) {
             AddGroupedCell(p, NewCell(16));
             AddLink(p.tables, 6, 16, 0, 0.5);
             p.tables.links[5].mergeDivert = 0.6;
         },
         {"Caution! The cell(s): 6 do/does not have correct To-Proportion."}},
        {[](Project& p) { p.tables.nodes[1].stages[0].stageTime = 40; },
         {"Warning! The node(s): 9 has/have phase cycle time different from the global network "
          "cycle time.  Do you really want it?",
          "Caution! The cell(s): 6 do/does not have correct To-Proportion."}},
        {[](Project& p) { p.tables.nodes[1].stageNum = 1; },
         {"Caution! The node(s): 9 has/have less than 2 phases.  It is not allowed."}},
        {[](Project& p) {
             AddLink(p.tables, 5, 3);
             AddLink(p.tables, 2, 6);
         },
         {"Caution! The link(s): (2:3), (5:6), (5:3), (2:6) is/are both merging and diverting.  "
          "It is not allowed."}},
        {[](Project& p) { p.tables.cells[7].intervals.clear(); },
         {"Caution! The OR cell(s): 10 is/are not set.  It is not allowed."}},
        {[](Project& p) {
             AddLink(p.tables, 1, 3);
             AddLink(p.tables, 1, 5);
         },
         {"Caution! The cell(s): 1 is/are invalid cell type.  It is not allowed."}},
        {[](Project& p) {
             AddLink(p.tables, 11, 4, 8);
             AddLink(p.tables, 4, 12, 8);
         },
         {"Caution! The cell(s): 4 is/are both merging and diverting.  It is not allowed."}},
    };
    Project project = LoadReference("corridor");
    for (const auto& step : steps) {
        step.fault(project);
        LoggingPrompter prompter;
        const bool stopped = ValidateForExport(project, prompter);
        EXPECT_EQ(prompter.log, step.log);
        EXPECT_EQ(stopped, step.log.back().rfind("Caution!", 0) == 0);
    }
    // The list of one check run names every fault at once, in the checks' order, each
    // with what it names; the cycle warning with its values.
    const std::vector<std::string> texts{
        "The cell(s): 4 is/are both merging and diverting.  It is not allowed.",
        "The cell(s): 1 is/are invalid cell type.  It is not allowed.",
        "The OR cell(s): 10 is/are not set.  It is not allowed.",
        "The link(s): (2:3), (4:5), (5:6), (11:12), (5:3), (2:6), (1:3), (1:5), (11:4), (4:12) "
        "is/are both merging and diverting.  It is not allowed.",
        "The node(s): 9 has/have less than 2 phases.  It is not allowed.",
        "The node(s): 9 has/have phase cycle time different from the global network cycle "
        "time.  Do you really want it?",
        "The cell(s): 2, 4, 5, 6, 11 do/does not have correct To-Proportion.",
        "The cell(s): 4, 5, 6 do/does not have correct From-Proportion.",
        "The node(s): 8 has/have phase cycle intervals less than 5 seconds.",
        "The signal(s) at node(s): 5, 11 is/are not used.  It is not allowed.",
        "The cell(s): 12 is/are not yet assigned to street.",
        "The cell(s): 15 is/are not yet assigned to special road.",
        "The groups: 1, 2, 3, 4, 5, 6 are required to be plotted.  But the system can handle "
        "the first 5 CTM Plots only.  Do you really want it?",
        "The signal(s) at cell(s): 5, 11 is/are not on a link through the node whose phases use "
        "it.  It is not allowed.",
    };
    const std::vector<ExportProblem> problems = ListExportProblems(project);
    std::vector<std::string> listed;
    for (const ExportProblem& problem : problems) {
        listed.push_back(problem.text);
    }
    EXPECT_EQ(listed, texts);
    ASSERT_EQ(problems.size(), texts.size());
    EXPECT_EQ(problems[0].cellIDs, std::vector<int>{4});
    EXPECT_EQ(problems[3].linkIDs.size(), 10u);
    EXPECT_TRUE(problems[5].warning);
    EXPECT_EQ(problems[5].nodeIDs, std::vector<int>{9});
    EXPECT_EQ(problems[5].detail, "Node 9: 40 s against the network cycle time of 60 s.");
    EXPECT_FALSE(problems[6].warning);

    project.tables.cells.clear();
    LoggingPrompter prompter;
    EXPECT_TRUE(ValidateForExport(project, prompter));
    EXPECT_EQ(prompter.log, std::vector<std::string>{"Caution! The map is empty!"});
    EXPECT_EQ(ListExportProblems(project).size(), 1u);
}

}  // namespace
}  // namespace talvo
