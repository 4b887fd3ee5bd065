// Malformed input for every reader of the engine: empty files, files cut in the middle of
// a record, values of the wrong kind, counts and indices beyond the tables, negative
// counts, very long lines, binary garbage and the three kinds of line end. Each case names
// the message it must give: the file, the line, the value found and what was expected.

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "EngineError.h"
#include "SmallScenario.h"
#include "TestNetworks.h"
#include "TimingPlanFile.h"
#include "run/RunFiles.h"

namespace talvo {
namespace {

using test::JoinLines;
using test::ReadError;
using test::ReadScenarioText;
using test::SmallScenarioLines;
using test::SmallScenarioWith;

// The small scenario's first `count` lines, then `tail` without a line end.
std::string CutAfter(int count, const std::string& tail) {
    std::vector<std::string> lines = SmallScenarioLines();
    lines.resize(size_t(count));
    return JoinLines(lines) + tail;
}

// Bytes that no editor writes: a fixed pseudo-random sequence, so that the case repeats.
std::string Garbage(size_t size, uint32_t seed) {
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        seed = seed * 1664525u + 1013904223u;
        byte = char(seed >> 24);
    }
    return bytes;
}

// One malformed file and the message it must stop with; the scenario and plan tables share it.
struct WholeFile {
    const char* name;
    std::string text;
    std::string message;
};

void PrintTo(const WholeFile& c, std::ostream* os) {
    *os << c.name;
}

class MalformedScenarioFile : public ::testing::TestWithParam<WholeFile> {};

TEST_P(MalformedScenarioFile, StopsWithTheMessage) {
    EXPECT_EQ(ReadError(GetParam().text), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Scenario, MalformedScenarioFile,
    ::testing::Values(
        WholeFile{"Empty", "",
                  "Error in input.fin, line 1: expected optimizationOn, found the end of the file"},
        WholeFile{"OnlyLineEnds", "\r\n\r\n\n",
                  "Error in input.fin, line 3: expected optimizationOn, found the end of the file"},
        WholeFile{"CutInsideACellRecord", CutAfter(16, "1-TR-2\t0\t2"),
                  "Error in input.fin, line 17: expected fTURN of cell 2, found the end of the "
                  "file"},
        WholeFile{"CutAfterTheCellCount", CutAfter(15, ""),
                  "Error in input.fin, line 15: expected cellName of cell 1, found the end of the "
                  "file"},
        WholeFile{"CutInsideALoading", CutAfter(23, "1-OR-1\t1800"),
                  "Error in input.fin, line 24: expected loadStart of loading 2, found the end of "
                  "the file"},
        WholeFile{"CutInsideTheStageTimes", CutAfter(31, "1\t3\t2\t30"),
                  "Error in input.fin, line 32: expected stage 2 time of intersection 1, found "
                  "the end of the file"},
        WholeFile{"CutInsideASignalRecord", CutAfter(35, "4\t1\tY"),
                  "Error in input.fin, line 36: expected stage 2 green flag of signal record 4, "
                  "found the end of the file"},
        WholeFile{"CutInsideAnApproach", CutAfter(38, "2\t1\t1-DI-3"),
                  "Error in input.fin, line 39: expected cell name 2 of approach 2, found the "
                  "end of the file"},
        WholeFile{"CutBeforeThePlotGroups", CutAfter(39, ""),
                  "Error in input.fin, line 39: expected numPlotGroups, found the end of the "
                  "file"},
        // Old Macintosh line ends: the whole file is one line, and a statement's leftovers
        // are skipped, so the second statement finds nothing.
        WholeFile{"CarriageReturnsOnly", "N\r1\r0.5\r150 1800\r",
                  "Error in input.fin, line 1: expected controlStrategy, found the end of the "
                  "file"},
        WholeFile{"BinaryGarbageFirst", "\x01\x02\x03\n",
                  "Error in input.fin, line 1: expected controlStrategy, found the end of the "
                  "file"},
        WholeFile{"BinaryGarbageForACount", SmallScenarioWith(15, std::string("7\0x\x1B", 4)),
                  "Error in input.fin, line 15: expected an integer for numCells, found "
                  "\"7\\x00x\\x1B\""},
        WholeFile{"DeleteCharacterInAReal", SmallScenarioWith(3, "0.5\x7F"),
                  "Error in input.fin, line 3: expected a real number for wvRatio, found "
                  "\"0.5\\x7F\""}));

TEST(MalformedScenario, RandomBytesStopWithAMessageNamingTheFileAndLine) {
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        const std::string message = ReadError(Garbage(64 + seed * 37, seed));
        EXPECT_EQ(message.rfind("Error in input.fin, line ", 0), 0u) << message;
    }
}

struct BadLine {
    int line;
    std::string text;
    std::string message;
};

void PrintTo(const BadLine& c, std::ostream* os) {
    *os << "line " << c.line << ": " << Quoted(c.text);
}

class MalformedScenarioLine : public ::testing::TestWithParam<BadLine> {};

// The same message whatever the file's line ends: CR LF, LF, or mixed.
TEST_P(MalformedScenarioLine, StopsWithTheMessageUnderEveryLineEnd) {
    const BadLine& c = GetParam();
    std::vector<std::string> lines = SmallScenarioLines();
    lines.at(size_t(c.line - 1)) = c.text;
    EXPECT_EQ(ReadError(JoinLines(lines, "\r\n")), c.message);
    EXPECT_EQ(ReadError(JoinLines(lines, "\n")), c.message);
    std::string mixed;
    for (size_t i = 0; i < lines.size(); ++i) {
        mixed += lines[i] + (i % 2 == 0 ? "\n" : "\r\n");
    }
    EXPECT_EQ(ReadError(mixed), c.message);
}

const std::string kLongDigits(100000, '9');

INSTANTIATE_TEST_SUITE_P(
    Scenario, MalformedScenarioLine,
    ::testing::Values(
        // Wrong kind of value.
        BadLine{6, "2.0\t20",
                "Error in input.fin, line 6: expected an integer for timeStep, found \"2.0\""},
        BadLine{21, "many",
                "Error in input.fin, line 21: expected an integer for numLoadings, found "
                "\"many\""},
        BadLine{16, "1-OR-1\t0\t2\t1\tOR\t0\t0\t1-TR-2\t0\t0\t0\t0\tN\tY\t36",
                "Error in input.fin, line 16: expected an integer for signalID of cell 1, found "
                "\"Y\""},
        BadLine{23, "1-OR-1\tlots\t0\t9",
                "Error in input.fin, line 23: expected a real number for loadRate of loading 1, "
                "found \"lots\""},
        BadLine{3, "inf",
                "Error in input.fin, line 3: expected a real number for wvRatio, found \"inf\""},
        // Negative counts.
        BadLine{15, "-5", "Error in input.fin, line 15: numCells is -5, expected 1 to 1000000"},
        BadLine{31, "-1",
                "Error in input.fin, line 31: numIntersections is -1, expected 0 to 100000"},
        BadLine{32, "1\t3\t-2\t30\t20",
                "Error in input.fin, line 32: stageCount of intersection 1 is -2, expected 1 to "
                "1000"},
        BadLine{35, "-1", "Error in input.fin, line 35: numSignals is -1, expected 0 to 1000000"},
        BadLine{37, "-2\t3",
                "Error in input.fin, line 37: numApproaches is -2, expected 0 to 100000"},
        BadLine{37, "2\t-3",
                "Error in input.fin, line 37: maxGroupCells is -3, expected 0 to 100000"},
        BadLine{40, "-1\t3",
                "Error in input.fin, line 40: numPlotGroups is -1, expected 0 to 100000"},
        BadLine{6, "-2\t20", "Error in input.fin, line 6: timeStep is -2, expected 1 to 100000"},
        // Counts and indices beyond the tables.
        BadLine{15, "2147483647",
                "Error in input.fin, line 15: numCells is 2147483647, expected 1 to 1000000"},
        BadLine{15, "-2147483648",
                "Error in input.fin, line 15: numCells is -2147483648, expected 1 to 1000000"},
        BadLine{36, "4\t0\tY\tN",
                "Error in input.fin, line 36: signalIntersection of signal record 4 is 0, "
                "expected 1 to 1"},
        BadLine{36, "-4\t1\tY\tN",
                "Error in input.fin, line 36: signal record number is -4, expected 1 to 1000000"},
        BadLine{38, "0\t1\t1-OR-1\t1-TR-2\t0",
                "Error in input.fin, line 38: approach number is 0, expected 1 to 2"},
        BadLine{41, "2\t1\ty\t0\t20\t1-TR-2\t1-DI-3\t1-DE-4",
                "Error in input.fin, line 41: plot group number is 2, expected 1 to 1"},
        BadLine{41, "1\t1\ty\t-1\t20\t1-TR-2\t1-DI-3\t1-DE-4",
                "Error in input.fin, line 41: plotStart of plot group 1 is -1, expected 0 to "
                "100000"},
        BadLine{
            32, "1\t-1\t2\t30\t20",
            "Error in input.fin, line 32: offset of intersection 1 is -1, expected 0 to 100000"},
        // Reals outside their physical range, which would turn into Infinity and NaN.
        BadLine{3, "-1",
                "Error in input.fin, line 3: wvRatio is -1, expected above 0 and at most 1"},
        BadLine{4, "150\t-3e38",
                "Error in input.fin, line 4: saturationFlow is -3e38, expected above 0 and at "
                "most 10000"},
        BadLine{16, "1-OR-1\t0\t3e38\t1\tOR\t0\t0\t1-TR-2\t0\t0\t0\t0\tN\t0\t36",
                "Error in input.fin, line 16: laneNum of cell 1 is 3e38, expected above 0 and "
                "at most 20"},
        BadLine{18, "1-DI-3\t0\t2\t0.9\tdi\t1-TR-2\t0\t1-DE-4\t2-DE-5\t1.7\t0.3\t0\tN\t0\t36",
                "Error in input.fin, line 18: split1 of cell 3 is 1.7, expected 0 to 1"},
        BadLine{3, "1e39",
                "Error in input.fin, line 3: found \"1e39\" for wvRatio, a number beyond the "
                "range of a 32-bit real (about 3.4E+38 at most)"},
        // A delay period off the step grid or beyond the run.
        BadLine{7, "1\t20",
                "Error in input.fin, line 7: startStep is 1, expected a multiple of timeStep 2 "
                "(the delay period starts on a step)"},
        BadLine{7, "0\t22",
                "Error in input.fin, line 7: endStep is 22, expected at most endSimulationStep "
                "20 (the delay period ends within the run)"},
        // Very long values: the message shows the start and says how long the value is.
        BadLine{15, kLongDigits,
                "Error in input.fin, line 15: expected an integer for numCells, found "
                "\"9999999999999999999999999999999999999999...\" (100000 characters)"},
        BadLine{3, "0." + std::string(70000, '5') + "x",
                "Error in input.fin, line 3: expected a real number for wvRatio, found "
                "\"0.55555555555555555555555555555555555555...\" (70003 characters)"}));

TEST(MalformedScenario, VeryLongLinesAreReadWhole) {
    // A million blanks before a record's first value and a name of ten thousand characters
    // (cut to eleven, as every name is) read as the short forms do.
    std::vector<std::string> lines = SmallScenarioLines();
    lines[16] = std::string(1000000, ' ') + lines[16] + std::string(1000000, '\t');
    lines[37] = "1\t1\t1-OR-1" + std::string(10000, 'x') + "\t1-TR-2\t0";
    const auto reference = ReadScenarioText(JoinLines(SmallScenarioLines()));
    const auto result = ReadScenarioText(JoinLines(lines));
    EXPECT_EQ(result.scenario->cells[2].signalID, 4);
    EXPECT_EQ(result.scenario->approaches[1].cells[1], 0);  // "1-OR-1xxxxx" names no cell
    EXPECT_EQ(result.scenario->approaches[1].cells[2], 2);
    EXPECT_EQ(result.scenario->numPlotGroups, reference.scenario->numPlotGroups);
}

TEST(MalformedScenario, EmptyAndBlankLinesBetweenStatementsAreSkipped) {
    std::vector<std::string> lines = SmallScenarioLines();
    lines[14] = "\r\n \t \r\n,,,\r\n" + lines[14];
    const auto reference = ReadScenarioText(JoinLines(SmallScenarioLines()));
    const auto result = ReadScenarioText(JoinLines(lines));
    EXPECT_EQ(result.echo, reference.echo);
}

// inout.dir

std::string InoutError(const std::string& text) {
    std::istringstream in(text);
    try {
        ReadRunDirectory(in, "inout.dir");
    } catch (const EngineError& error) {
        return error.what();
    }
    return "no error";
}

const std::string kInoutHelp =
    "it must hold one line: the full path of the run directory, ending with '/' (or '\\'), "
    "for example /home/user/runs/arterial/";

TEST(MalformedInoutDir, NulByteInThePathIsRefused) {
    // Opened as it stands, "/tmp/x\0/" would name the file /tmp/x, and the run would write
    // its report over it.
    EXPECT_EQ(InoutError(std::string("/tmp/x\0/\r\n", 10)),
              "Error in inout.dir, line 1: found \"/tmp/x\\x00/\" with a NUL byte in it, but " +
                  kInoutHelp);
    EXPECT_EQ(
        InoutError(std::string("\0/\n", 3)),
        "Error in inout.dir, line 1: found \"\\x00/\" with a NUL byte in it, but " + kInoutHelp);
}

TEST(MalformedInoutDir, ControlBytesAreSpelledOutInTheMessage) {
    EXPECT_EQ(InoutError("\x1B[2J/tmp/run\r\n"),
              "Error in inout.dir, line 1: found \"\\x1B[2J/tmp/run\" without a final "
              "separator, but " +
                  kInoutHelp);
}

TEST(MalformedInoutDir, VeryLongLineIsShownCut) {
    const std::string line(100000, 'a');
    EXPECT_EQ(InoutError(line + "\n"),
              "Error in inout.dir, line 1: found a path of 100000 "
              "characters beginning \"" +
                  std::string(40, 'a') +
                  "\", but the system takes at most 4063 for a run "
                  "directory (the names of its files are added to "
                  "it); " +
                  kInoutHelp);
    // A long path that the system takes and that ends properly is kept whole.
    const std::string path(4062, 'a');
    std::istringstream in(path + "/\r\n");
    EXPECT_EQ(ReadRunDirectory(in, "inout.dir"), path + "/");
}

TEST(MalformedInoutDir, RandomBytesEndInARunDirectoryOrAMessage) {
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        const std::string text = Garbage(seed * 3, seed);
        const std::string message = InoutError(text);
        if (message != "no error") {
            EXPECT_EQ(message.rfind("Error in inout.dir", 0), 0u) << message;
            EXPECT_NE(message.find(kInoutHelp), std::string::npos) << message;
        }
    }
}

// plan.tpl

std::string PlanError(const std::string& text) {
    test::TestNetwork net;
    net.addIntersection(1, 0, {30, 30});
    net.addSignal(1, 1, "YN");
    net.addSignal(2, 1, "NY");
    SignalTables tables;
    std::istringstream in(text);
    try {
        ReadTimingPlan(in, "plan.tpl", net.scenario, tables);
    } catch (const EngineError& error) {
        return error.what();
    }
    return "no error";
}

class MalformedPlanFile : public ::testing::TestWithParam<WholeFile> {};

TEST_P(MalformedPlanFile, StopsWithTheMessage) {
    EXPECT_EQ(PlanError(GetParam().text), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Plan, MalformedPlanFile,
    ::testing::Values(
        WholeFile{"Empty", "",
                  "Error in plan.tpl, line 1: the file ends where a signal record number is "
                  "expected"},
        WholeFile{"CutInsideAPair", "1\r\n0 10000\r\n2\r\n1",
                  "Error in plan.tpl, line 4: the file ends where a signal state and end time is "
                  "expected"},
        WholeFile{"NulInsideANumber",
                  std::string("1\n0 1\0"
                              "0\n",
                              8),
                  "Error in plan.tpl, line 2: \"1\\x000\" is not a whole number"},
        WholeFile{"GarbageForARecordNumber", "\x01\x02\n",
                  "Error in plan.tpl, line 1: \"\\x01\\x02\" is not a whole number"},
        WholeFile{"NegativeRecordNumber", "-1\n0 10000\n",
                  "Error in plan.tpl, line 1: signal record number -1 is outside 1..1000000"},
        WholeFile{"NumberBeyond32Bits", "1\n0 4294967296\n",
                  "Error in plan.tpl, line 2: \"4294967296\" is not a whole number"},
        WholeFile{"NegativeState", "1\n-1 10000\n",
                  "Error in plan.tpl, line 2: signal state -1 is neither 0 (red) nor 1 (green)"},
        WholeFile{"VeryLongValue", "1\n0 " + std::string(5000, '7') + "x\n",
                  "Error in plan.tpl, line 2: \"7777777777777777777777777777777777777777...\" "
                  "(5001 characters) is not a whole number"}));

TEST(MalformedPlan, LineEndsDoNotChangeWhatIsRead) {
    for (const char* end : {"\r\n", "\n"}) {
        const std::string e = end;
        EXPECT_EQ(PlanError("1" + e + "1 30" + e + "0 10000" + e + "2" + e + "0 10000" + e),
                  "no error")
            << Quoted(e);
    }
}

TEST(MalformedPlan, VeryLongLineIsReadValueByValue) {
    // The values after those a read needs are skipped, however many the line holds.
    std::string many;
    for (int i = 0; i < 1000000; ++i) {
        many += " 77";
    }
    EXPECT_EQ(PlanError("1" + many + "\n1 30" + many + "\n0 10000" + many + "\n2\n0 10000\n"),
              "no error");
    EXPECT_EQ(PlanError("1\n1 x" + many + "\n"),
              "Error in plan.tpl, line 2: \"x\" is not a whole number");
}

TEST(MalformedPlan, RandomBytesStopWithAMessageNamingTheFile) {
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        const std::string message = PlanError(Garbage(16 + seed * 11, seed));
        EXPECT_EQ(message.rfind("Error in plan.tpl, line ", 0), 0u) << message;
    }
}

}  // namespace
}  // namespace talvo
