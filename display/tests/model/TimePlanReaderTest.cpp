#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ReaderTestSupport.h"
#include "model/ReadError.h"
#include "model/TimePlanReader.h"

namespace talvo::display {
namespace {

using test::DataFile;
constexpr int R = kRed;
constexpr int G = kGreen;
constexpr int A = kAmber;

void LoadPlan(DisplayModel& model, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    ApplyTimePlan(ReadTimePlan(in, path, model), model);
}

struct FillCase {
    const char* name;
    std::vector<SwitchPair> periods;
    int startStep;
    int endStep;
    std::vector<int> expected;  // columns 1..endStep-startStep
};

void PrintTo(const FillCase& c, std::ostream* out) {
    *out << c.name;
}

class FillColumns : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillColumns, GivesTheStatesWithAmber) {
    const FillCase& c = GetParam();
    const std::vector<int> columns = FillSignalColumns(c.periods, c.startStep, c.endStep);
    EXPECT_EQ(std::vector<int>(columns.begin() + 1, columns.end()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FillColumns,
    ::testing::Values(
        // Green to red: the first two red steps are amber.
        FillCase{
            "GreenToRed", {{1, 4}, {0, 10}, {1, 12}}, 0, 12, {G, G, G, G, A, A, R, R, A, A, G, G}},
        // Red to green: the last two red steps are amber.
        FillCase{"RedToGreen", {{0, 5}, {1, 10}}, 0, 10, {R, R, R, A, A, G, G, G, G, G}},
        // A red period that ends at endStep gets no amber at its start.
        FillCase{"RedEndingAtEndStep", {{1, 6}, {0, 10}}, 0, 10, {G, G, G, G, G, G, R, R, R, R}},
        // Steps after the last period are red.
        FillCase{"AfterTheLastPeriod", {{1, 6}}, 0, 10, {G, G, G, G, G, G, R, R, R, R}},
        // Periods beyond endStep are cut; their amber too.
        FillCase{"BeyondEndStep", {{1, 9}, {0, 20}}, 0, 10, {G, G, G, G, G, G, G, G, G, A}},
        // A start step shifts the columns; what lies before it is dropped.
        FillCase{"StartStep", {{0, 0}, {1, 3}, {0, 8}, {1, 12}}, 4, 12, {A, R, A, A, G, G, G, G}},
        FillCase{"SameStateTwice", {{0, 3}, {0, 6}}, 0, 6, {R, R, R, R, R, R}}),
    [](const auto& info) { return info.param.name; });

TEST(TimePlanReader, ReadsTheEditorPlanOfTheCorridorRun) {
    DisplayModel model = test::LoadCorridorMap();
    LoadPlan(model, DataFile("corridor_plan.tpl"));
    // Signal 1 on link 5 -> 6: (0,5) (1,33) (0,62) ... (0,282) (1,300).
    const std::vector<std::pair<int, int>> signal1{
        {1, R},  {3, R},  {4, A},  {5, A},   {6, G},   {33, G},  {34, A},  {35, A},
        {36, R}, {62, A}, {63, G}, {280, R}, {281, A}, {282, A}, {283, G}, {300, G}};
    for (const auto& [step, state] : signal1) {
        EXPECT_EQ(model.signalStateAt(5, step), state) << "step " << step;
    }
    // Signal 2 on link 10 -> 11 ends with (1,278) (0,300): red up to the end, no amber.
    EXPECT_EQ(model.signalStateAt(9, 278), G);
    EXPECT_EQ(model.signalStateAt(9, 279), R);
    EXPECT_EQ(model.signalStateAt(9, 300), R);
    EXPECT_EQ(model.signalStateAt(9, 36), A);  // (0,37) -> (1,58): amber at 36, 37
    EXPECT_EQ(model.signalStateAt(9, 38), G);
}

TEST(TimePlanReader, ReadsAnEnginePlanWholeWhateverItsHorizon) {
    DisplayModel model = test::LoadCorridorMap();
    LoadPlan(model, DataFile("corridor_opt_exist_plan.tpl"));
    // Signal 1: ... (0,281) (1,307) (0,335) (0,1000) (0,10000); endStep 300.
    EXPECT_EQ(model.signalStateAt(5, 279), R);
    EXPECT_EQ(model.signalStateAt(5, 280), A);
    EXPECT_EQ(model.signalStateAt(5, 281), A);
    EXPECT_EQ(model.signalStateAt(5, 282), G);
    EXPECT_EQ(model.signalStateAt(5, 300), G);
    // Signal 2: ... (1,277) (0,311): amber at 278, 279, then red.
    EXPECT_EQ(model.signalStateAt(9, 277), G);
    EXPECT_EQ(model.signalStateAt(9, 278), A);
    EXPECT_EQ(model.signalStateAt(9, 280), R);
}

TEST(TimePlanReader, ALongerAnalysisPeriodThanThePlanEndsRed) {
    DisplayModel model = test::LoadCorridorMap(test::CorridorProjectWithEndStep(1200));
    LoadPlan(model, DataFile("corridor_plan.tpl"));
    EXPECT_EQ(model.signalStateAt(5, 300), G);
    EXPECT_EQ(model.signalStateAt(5, 301), R);
    EXPECT_EQ(model.signalStateAt(5, 1200), R);
}

TEST(TimePlanReader, RecordsAreStoredUnderTheirOwnNumber) {
    DisplayModel model = test::LoadCorridorMap();
    std::istringstream in("2\n1\t10\n0\t10000\n1\n0\t300\n0\t10000\n");
    ApplyTimePlan(ReadTimePlan(in, "swap.tpl", model), model);
    EXPECT_EQ(model.signalStateAt(9, 10), G);  // signal 2
    EXPECT_EQ(model.signalStateAt(5, 10), R);  // signal 1
}

TEST(TimePlanReader, ValuesMaySitOnOneLineSeparatedByCommas) {
    DisplayModel model = test::LoadCorridorMap();
    std::istringstream in("1, 1,300, 0,10000, 2, 0,100, 1,300, 0,10000");
    ApplyTimePlan(ReadTimePlan(in, "flat.tpl", model), model);
    EXPECT_EQ(model.signalStateAt(5, 300), G);
    EXPECT_EQ(model.signalStateAt(9, 99), A);
    EXPECT_EQ(model.signalStateAt(9, 101), G);
}

struct BadPlan {
    const char* name;
    const char* text;
    const char* detailPart;
};

void PrintTo(const BadPlan& c, std::ostream* out) {
    *out << c.name;
}

class TimePlanFailure : public ::testing::TestWithParam<BadPlan> {};

TEST_P(TimePlanFailure, IsRefusedNamingTheLine) {
    const DisplayModel model = test::LoadCorridorMap();
    std::istringstream in(GetParam().text);
    try {
        ReadTimePlan(in, "bad.tpl", model);
        FAIL() << "accepted";
    } catch (const ReadError& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().detailPart), std::string::npos)
            << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, TimePlanFailure,
    ::testing::Values(BadPlan{"NoEndMarker", "1\n1 300\n0 10000\n2\n0 300\n", "ends in record 2"},
                      BadPlan{"OneRecordOnly", "1\n1 300\n0 10000\n", "ends in record 2"},
                      BadPlan{"NotANumber", "1\n1 3x0\n", "line 2: bad end time \"3x0\""},
                      BadPlan{"BadState", "1\n3 300\n", "line 2: signal state 3"},
                      BadPlan{"TimeGoesBack", "1\n1 300\n0 200\n", "line 3: end time 200 before"},
                      BadPlan{"Empty", "", "ends in record 1"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace talvo::display
