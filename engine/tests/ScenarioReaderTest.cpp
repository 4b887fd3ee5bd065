// The scenario reader: what lands in the tables, how statements read across lines, names
// and type codes, and the exact messages for values beyond the tables or of the wrong kind.

#include <gtest/gtest.h>

#include "SmallScenario.h"
#include "input/NetworkPreparation.h"

namespace talvo {
namespace {

using test::JoinLines;
using test::ReadError;
using test::ReadScenarioText;
using test::SmallScenarioLines;
using test::SmallScenarioWith;

TEST(ScenarioReader, FillsTheTablesOfTheSmallScenario) {
    const auto result = ReadScenarioText(JoinLines(SmallScenarioLines()));
    const Scenario& s = *result.scenario;
    EXPECT_EQ(s.optimizationOn, 'N');
    EXPECT_EQ(s.controlStrategy, 1);
    EXPECT_FLOAT_EQ(s.wvRatio, 0.5f);
    EXPECT_FLOAT_EQ(s.jamDensity, 150.0f);
    EXPECT_FLOAT_EQ(s.saturationFlow, 1800.0f);
    EXPECT_EQ(s.timeStep, 2);
    EXPECT_EQ(s.endSimulationStep, 20);
    EXPECT_EQ(s.startStep, 0);
    EXPECT_EQ(s.endStep, 20);
    EXPECT_EQ(s.populationSize, 10);
    EXPECT_EQ(s.generationNum, 5);
    EXPECT_EQ(s.terminationNum, 3);
    EXPECT_FLOAT_EQ(s.mutationRate, 0.05f);
    EXPECT_EQ(s.fitnessIndex, 5);
    EXPECT_EQ(s.adaptWebster, 'N');
    EXPECT_EQ(s.initialSeed, 'N');

    ASSERT_EQ(s.numCells, 5);
    EXPECT_EQ(s.cells[1].cellName, "1-OR-1     ");
    EXPECT_EQ(s.cells[3].cellType, "di");
    EXPECT_EQ(s.cells[3].kind, CellKind::Diverge);
    EXPECT_EQ(s.cells[4].kind, CellKind::Destination);
    EXPECT_EQ(s.cells[2].from1, 1);
    EXPECT_EQ(s.cells[2].to1, 3);
    EXPECT_EQ(s.cells[3].to1, 4);
    EXPECT_EQ(s.cells[3].to2, 5);
    EXPECT_EQ(s.cells[1].from1, 0);  // "0" names no cell
    EXPECT_FLOAT_EQ(s.cells[3].split1, 0.7f);
    EXPECT_FLOAT_EQ(s.cells[3].fTURN, 0.9f);
    EXPECT_EQ(s.cells[2].signalised, 'Y');
    EXPECT_EQ(s.cells[2].signalID, 4);
    EXPECT_FLOAT_EQ(s.cells[5].fMax, 30.0f);

    EXPECT_EQ(s.numLoadings, 3);
    EXPECT_FLOAT_EQ(s.volMultiplier, 1.5f);
    ASSERT_EQ(s.loadings.size(), 3u);
    EXPECT_EQ(s.loadings[0].cell, 1);
    EXPECT_EQ(s.loadings[2].cell, 0);  // names no cell
    EXPECT_EQ(s.loadings[1].loadStart, 5);
    EXPECT_EQ(s.loadings[1].loadEnd, 12);

    EXPECT_EQ(s.phaseCycle, 2);
    EXPECT_EQ(s.maxCycleTime, 90);
    EXPECT_EQ(s.minGreenTime, 10);
    EXPECT_EQ(s.lostTime, 4);
    EXPECT_EQ(s.networkCycleTime, 40);
    ASSERT_EQ(s.numIntersections, 1);
    EXPECT_EQ(s.intersections[1].offset, 3);
    EXPECT_EQ(s.intersections[1].stageCount, 2);
    EXPECT_EQ(s.intersections[1].stageTime[1], 30);
    EXPECT_EQ(s.intersections[1].stageTime[2], 20);
    EXPECT_EQ(s.numSignals, 1);
    EXPECT_EQ(s.signalNumbers, std::vector<int>{4});
    EXPECT_TRUE(s.signals[4].present);
    EXPECT_FALSE(s.signals[1].present);
    EXPECT_EQ(s.signals[4].signalIntersection, 1);
    EXPECT_EQ(s.signals[4].stageGreen[1], 'Y');
    EXPECT_EQ(s.signals[4].stageGreen[2], 'N');

    EXPECT_EQ(s.numApproaches, 2);
    EXPECT_EQ(s.maxGroupCells, 3);
    EXPECT_FLOAT_EQ(s.approaches[1].weight, 1.0f);
    EXPECT_EQ(s.approaches[1].cells[1], 1);
    EXPECT_EQ(s.approaches[1].cells[2], 2);
    EXPECT_EQ(s.approaches[1].cells[3], 0);
    EXPECT_EQ(s.approaches[2].cells[1], 3);
    EXPECT_EQ(s.numPlotGroups, 1);
    EXPECT_EQ(s.plotGroups[1].plotFlag, 'y');
    EXPECT_EQ(s.plotGroups[1].plotStart, 0);
    EXPECT_EQ(s.plotGroups[1].plotEnd, 20);
    EXPECT_EQ(s.plotGroups[1].cells[3], 4);
}

TEST(ScenarioReader, ConsoleLinesInOrder) {
    const auto result = ReadScenarioText(JoinLines(SmallScenarioLines()));
    EXPECT_EQ(result.console,
              " Reading and Writing Cell Information...     5  Cells\n"
              " Created Qmax Array\n"
              " Created Holding Capacity Array\n"
              " Loaded Initial Conditions\n"
              " Reading and Writing Demand Information...   3  Loadings\n"
              " Reading and Writing Approach Information... 2  Approaches\n");
}

TEST(ScenarioReader, TimesOnOneLineOrFourLinesReadTheSame) {
    std::vector<std::string> oneLine = SmallScenarioLines();
    oneLine[5] = "2 20 0 20";
    oneLine.erase(oneLine.begin() + 6);
    std::vector<std::string> fourLines = SmallScenarioLines();
    fourLines[5] = "2";
    fourLines[6] = "0";
    fourLines.insert(fourLines.begin() + 6, "20");
    fourLines.insert(fourLines.begin() + 8, "20");

    const auto reference = ReadScenarioText(JoinLines(SmallScenarioLines()));
    for (const auto& lines : {oneLine, fourLines}) {
        const auto result = ReadScenarioText(JoinLines(lines));
        EXPECT_EQ(result.scenario->timeStep, 2);
        EXPECT_EQ(result.scenario->endSimulationStep, 20);
        EXPECT_EQ(result.scenario->startStep, 0);
        EXPECT_EQ(result.scenario->endStep, 20);
        EXPECT_EQ(result.scenario->populationSize, 10);
        EXPECT_EQ(result.echo, reference.echo);
    }
}

TEST(ScenarioReader, RecordsMayRunAcrossLinesAndCarryLeftovers) {
    std::vector<std::string> lines = SmallScenarioLines();
    lines[16] = "1-TR-2, 0, 2\n1 TR 1-OR-1\n\n0 1-DI-3 0 0 0 0 Y\n4 36 stray values";
    lines[2] = "0.5 ignored";
    lines[3] = "150,1800,99";
    const auto reference = ReadScenarioText(JoinLines(SmallScenarioLines()));
    const auto result = ReadScenarioText(JoinLines(lines, "\n"));
    EXPECT_EQ(result.echo, reference.echo);
    EXPECT_EQ(result.scenario->cells[2].signalID, 4);
    EXPECT_FLOAT_EQ(result.scenario->cells[2].fMax, 36.0f);
}

TEST(ScenarioReader, NoLoadingsGoStraightFromTheMultiplierToTheTimingPlan) {
    std::vector<std::string> lines = SmallScenarioLines();
    lines[20] = "0";
    lines.erase(lines.begin() + 22, lines.begin() + 25);
    const auto result = ReadScenarioText(JoinLines(lines));
    EXPECT_EQ(result.scenario->numLoadings, 0);
    EXPECT_FLOAT_EQ(result.scenario->volMultiplier, 1.5f);
    EXPECT_EQ(result.scenario->phaseCycle, 2);
    EXPECT_EQ(result.tables->x(1, 0), 0.0f);
    EXPECT_NE(result.echo.find("Number of Loadings:    0\r\n \r\nLoading       Load       "
                               "Start      End\r\nCell        veh/hour     Step       Step\r\n "
                               "\r\n \r\n********* T I M I N G"),
              std::string::npos);
}

TEST(ScenarioReader, LaterCellOfTwoWithOneNameWins) {
    // Cell 5 takes the name of cell 4: every reference to it now means cell 5.
    const auto result = ReadScenarioText(
        SmallScenarioWith(20, "1-DE-4\t0\t1\t1\tDE\t1-DI-3\t0\t0\t0\t0\t0\t0\tN\t0\t30"));
    EXPECT_EQ(result.scenario->cells[3].to1, 5);
    EXPECT_EQ(result.scenario->plotGroups[1].cells[3], 5);
    EXPECT_EQ(ResolveCellName(*result.scenario, "1-DE-4"), 5);
}

TEST(ScenarioReader, NamesAreCaseSensitiveAndCutAtElevenCharacters) {
    const auto result = ReadScenarioText(JoinLines(SmallScenarioLines()));
    const Scenario& s = *result.scenario;
    EXPECT_EQ(ResolveCellName(s, "1-TR-2"), 2);
    EXPECT_EQ(ResolveCellName(s, "1-TR-2     "), 2);
    EXPECT_EQ(ResolveCellName(s, "1-tr-2"), 0);
    EXPECT_EQ(ResolveCellName(s, " 1-TR-2"), 0);
    EXPECT_EQ(ResolveCellName(s, "0"), 0);
    EXPECT_EQ(ResolveCellName(s, ""), 0);

    // A name longer than 11 characters keeps its first 11, in the record and in references.
    std::vector<std::string> lines = SmallScenarioLines();
    lines[16] = "1-TR-2-LONGNAME\t0\t2\t1\tTR\t1-OR-1\t0\t1-DI-3\t0\t0\t0\t0\tY\t4\t36";
    lines[17] = "1-DI-3\t0\t2\t0.9\tdi\t1-TR-2-LONGER\t0\t1-DE-4\t2-DE-5\t0.7\t0.3\t0\tN\t0\t36";
    const auto cut = ReadScenarioText(JoinLines(lines));
    EXPECT_EQ(cut.scenario->cells[2].cellName, "1-TR-2-LONG");
    EXPECT_EQ(cut.scenario->cells[3].from1, 2);
}

TEST(ScenarioReader, TypeCodesIgnoreLetterCase) {
    const struct {
        const char* code;
        CellKind kind;
    } cases[] = {{"OR", CellKind::Origin},        {"Or", CellKind::Origin},
                 {"oR", CellKind::Origin},        {"de", CellKind::Destination},
                 {"Di", CellKind::Diverge},       {"me", CellKind::Merge},
                 {"mB", CellKind::MergeAtSignal}, {"TR", CellKind::Ordinary},
                 {"DU", CellKind::Ordinary},      {"X", CellKind::Ordinary}};
    for (const auto& c : cases) {
        EXPECT_EQ(CellKindOf(c.code), c.kind) << c.code;
    }
}

TEST(ScenarioReader, SignalRecordsAreStoredUnderTheirOwnNumbers) {
    std::vector<std::string> lines = SmallScenarioLines();
    lines[34] = "3";
    lines[35] = "9\t1\tN\tY\n4\t1\tY\tN\n100\t1\ty\ty";
    const auto result = ReadScenarioText(JoinLines(lines));
    const Scenario& s = *result.scenario;
    EXPECT_EQ(s.numSignals, 3);
    EXPECT_EQ(s.signalNumbers, (std::vector<int>{4, 9, 100}));
    EXPECT_EQ(s.signals[9].stageGreen[2], 'Y');
    EXPECT_EQ(s.signals[100].stageGreen[1], 'y');
    EXPECT_FALSE(s.signals[5].present);
}

struct BadInput {
    int line;
    const char* text;
    const char* message;
};

void PrintTo(const BadInput& c, std::ostream* os) {
    *os << "line " << c.line << ": " << c.text;
}

class RejectedScenario : public ::testing::TestWithParam<BadInput> {};

TEST_P(RejectedScenario, NamesFileLineValueAndExpectation) {
    const BadInput& c = GetParam();
    EXPECT_EQ(ReadError(SmallScenarioWith(c.line, c.text)), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    ScenarioReader, RejectedScenario,
    ::testing::Values(
        BadInput{
            2, "one",
            "Error in input.fin, line 2: expected an integer for controlStrategy, found \"one\""},
        BadInput{4, "150\tfast",
                 "Error in input.fin, line 4: expected a real number for saturationFlow, found "
                 "\"fast\""},
        BadInput{6, "0\t20", "Error in input.fin, line 6: timeStep is 0, expected 1 to 100000"},
        BadInput{6, "1\t100000",
                 "Error in input.fin, line 6: endSimulationStep is 100000, expected 0 to 99999"},
        BadInput{6, "5\t99996",
                 "Error in input.fin, line 6: endSimulationStep is 99996, expected 0 to 99995"},
        BadInput{7, "-1\t20", "Error in input.fin, line 7: startStep is -1, expected 0 to 100000"},
        BadInput{7, "0\t100001",
                 "Error in input.fin, line 7: endStep is 100001, expected 0 to 100000"},
        BadInput{15, "1000001",
                 "Error in input.fin, line 15: numCells is 1000001, expected 1 to 1000000"},
        BadInput{15, "0", "Error in input.fin, line 15: numCells is 0, expected 1 to 1000000"},
        BadInput{15, "five",
                 "Error in input.fin, line 15: expected an integer for numCells, found \"five\""},
        BadInput{16, "1-OR-1\t0\ttwo\t1\tOR\t0\t0\t1-TR-2\t0\t0\t0\t0\tN\t0\t36",
                 "Error in input.fin, line 16: expected a real number for laneNum of cell 1, found "
                 "\"two\""},
        BadInput{
            17, "1-TR-2\t0\t2\t1\tTR\t1-OR-1\t0\t1-DI-3\t0\t0\t0\t0\tY\t5\t36",
            "Error in input.fin, line 17: cell 2 (1-TR-2) has signalID 5, expected the number of a "
            "signal record in the file"},
        BadInput{
            17, "1-TR-2\t0\t2\t1\tTR\t1-OR-1\t0\t1-DI-3\t0\t0\t0\t0\tY\t0\t36",
            "Error in input.fin, line 17: cell 2 (1-TR-2) is signalised but its signalID is 0, "
            "expected the number of a signal record"},
        BadInput{17, "1-TR-2\t0\t2\t1\tTR\t1-OR-1\t0\t1-DI-3\t0\t0\t0\t0\tN\t-3\t36",
                 "Error in input.fin, line 17: cell 2 (1-TR-2) has signalID -3, expected the "
                 "number of a "
                 "signal record in the file"},
        BadInput{21, "-1",
                 "Error in input.fin, line 21: numLoadings is -1, expected 0 to 2147483647"},
        BadInput{23, "1-OR-1\t3600\t-1\t9",
                 "Error in input.fin, line 23: loadStart of loading 1 is -1, expected 0 to 100000"},
        BadInput{24, "1-OR-1\t3600\t0\t100001",
                 "Error in input.fin, line 24: loadEnd of loading 2 is 100001, expected 0 to "
                 "100000"},
        BadInput{
            27, "1.5e2",
            "Error in input.fin, line 27: expected an integer for maxCycleTime, found \"1.5e2\""},
        BadInput{31, "100001",
                 "Error in input.fin, line 31: numIntersections is 100001, expected 0 to 100000"},
        BadInput{32, "1\t3\t1001\t30\t20",
                 "Error in input.fin, line 32: stageCount of intersection 1 is 1001, expected 1 to "
                 "1000"},
        BadInput{
            32, "1\t3\t0",
            "Error in input.fin, line 32: stageCount of intersection 1 is 0, expected 1 to 1000"},
        BadInput{32, "1\t100001\t2\t30\t20",
                 "Error in input.fin, line 32: offset of intersection 1 is 100001, expected 0 to "
                 "100000"},
        BadInput{32, "1\t3\t2\t30\t-20",
                 "Error in input.fin, line 32: stage 2 time of intersection 1 is -20, expected 0 "
                 "to 100000"},
        BadInput{32, "2\t3\t2\t30\t20",
                 "Error in input.fin, line 32: intersection number is 2, expected 1 (intersections "
                 "numbered 1, 2, 3, ... in order)"},
        BadInput{33, "2",
                 "Error in input.fin, line 33: numIntersections is 2, expected 1 as before the "
                 "stage-time records"},
        BadInput{
            34, "1\t3\t3\t1\t0\t1",
            "Error in input.fin, line 34: stageCount of intersection 1 is 3, expected 2 as in its "
            "stage-time record"},
        BadInput{35, "1000001",
                 "Error in input.fin, line 35: numSignals is 1000001, expected 0 to 1000000"},
        BadInput{36, "1000001\t1\tY\tN",
                 "Error in input.fin, line 36: signal record number is 1000001, expected 1 to "
                 "1000000"},
        BadInput{36, "0\t1\tY\tN",
                 "Error in input.fin, line 36: signal record number is 0, expected 1 to 1000000"},
        BadInput{36, "4\t2\tY\tN",
                 "Error in input.fin, line 36: signalIntersection of signal record 4 is 2, "
                 "expected 1 to 1"},
        BadInput{37, "100001\t3",
                 "Error in input.fin, line 37: numApproaches is 100001, expected 0 to 100000"},
        BadInput{37, "2\t100001",
                 "Error in input.fin, line 37: maxGroupCells is 100001, expected 0 to 100000"},
        BadInput{38, "3\t1\t1-OR-1\t1-TR-2\t0",
                 "Error in input.fin, line 38: approach number is 3, expected 1 to 2"},
        BadInput{39, "1\t1\t1-DI-3\t0\t0",
                 "Error in input.fin, line 39: approach number 1 appears twice"},
        BadInput{
            39, "2\theavy\t1-DI-3\t0\t0",
            "Error in input.fin, line 39: expected a real number for approachWeight of approach 2, "
            "found \"heavy\""},
        BadInput{40, "100001\t3",
                 "Error in input.fin, line 40: numPlotGroups is 100001, expected 0 to 100000"},
        BadInput{40, "1\t50",
                 "Error in input.fin, line 40: maxGroupCells is 50, expected 3 as in the approach "
                 "section"},
        BadInput{
            41, "1\t1\ty\t0\t100001\t1-TR-2\t1-DI-3\t1-DE-4",
            "Error in input.fin, line 41: plotEnd of plot group 1 is 100001, expected 0 to 100000"},
        BadInput{41, "1\t1\ty\t0\t20\t1-TR-2",
                 "Error in input.fin, line 41: expected cell name 2 of plot group 1, found the end "
                 "of the "
                 "file"}));

TEST(ScenarioReader, FileThatEndsEarlyNamesItsLastLine) {
    std::vector<std::string> lines = SmallScenarioLines();
    lines.resize(30);
    EXPECT_EQ(ReadError(JoinLines(lines)),
              "Error in input.fin, line 30: expected numIntersections, found the end of the file");
}

TEST(ScenarioReader, SignalRecordNumberMayNotRepeat) {
    std::vector<std::string> lines = SmallScenarioLines();
    lines[34] = "2";
    lines[35] = "4\t1\tY\tN\n4\t1\tN\tY";
    EXPECT_EQ(ReadError(JoinLines(lines)),
              "Error in input.fin, line 37: signal record 4 appears twice");
}

TEST(ScenarioReader, SignalRecordsNeedAnIntersection) {
    std::vector<std::string> lines = SmallScenarioLines();
    lines[30] = "0";
    lines[31] = "0";
    lines[32] = "";
    lines[33] = "";
    EXPECT_EQ(ReadError(JoinLines(lines)),
              "Error in input.fin, line 35: numSignals is 1, expected 0 since the file has no "
              "intersections");
}

TEST(ScenarioReader, UnsignalisedNetworkWithoutIntersectionsIsRead) {
    std::vector<std::string> lines = SmallScenarioLines();
    lines[16] = "1-TR-2\t0\t2\t1\tTR\t1-OR-1\t0\t1-DI-3\t0\t0\t0\t0\tN\t0\t36";
    lines[30] = "0";
    lines[31] = "0";
    lines[32] = "";
    lines[33] = "";
    lines[34] = "0";
    lines[35] = "";
    const auto result = ReadScenarioText(JoinLines(lines));
    EXPECT_EQ(result.scenario->numIntersections, 0);
    EXPECT_EQ(result.scenario->numSignals, 0);
    EXPECT_EQ(result.scenario->minCycleTime, 0);
    EXPECT_EQ(result.scenario->numApproaches, 2);
}

}  // namespace
}  // namespace talvo
