// Malformed input for the Display's plot, timing plan and occupancy readers: binary
// garbage, values that are no numbers or lie beyond what a reader keeps, files cut in the
// middle of a record, and the three kinds of line end. Each refusal names the file, the
// line and the value; the model is left as it was.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "ReaderTestSupport.h"
#include "model/OccupancyReader.h"
#include "model/PlotData.h"
#include "model/ReadError.h"
#include "model/TimePlanReader.h"

namespace talvo::display {
namespace {

struct BadFile {
    const char* name;
    std::string text;
    std::string message;
};

void PrintTo(const BadFile& c, std::ostream* out) {
    *out << c.name;
}

std::string PlotError(const std::string& text) {
    std::istringstream in(text);
    try {
        ReadPlotData(in, "ctmplot_1.plt");
    } catch (const ReadError& error) {
        return error.what();
    }
    return "no error";
}

class MalformedPlot : public ::testing::TestWithParam<BadFile> {};

TEST_P(MalformedPlot, IsRefusedNamingLineAndValue) {
    EXPECT_EQ(PlotError(GetParam().text), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MalformedPlot,
    ::testing::Values(
        BadFile{"BinaryGarbage", "1 2 -1\n3 \x01\x02 -1\n",
                "ctmplot_1.plt, line 2: bad value \"\\x01\\x02\""},
        // A message box would take minutes to lay out a field of megabytes.
        BadFile{"HugeFieldIsCut", "1 " + std::string(1000000, '7') + "x -1\n",
                "ctmplot_1.plt, line 1: bad value \"7777777777777777777777777777777777777777..."
                "\" (1000001 characters)"},
        BadFile{"ByteOrderMarkIsSkipped",
                "\xEF\xBB\xBF"
                "1 nan -1\n",
                "ctmplot_1.plt, line 1: bad value \"nan\""},
        BadFile{"NotANumber", "1 nan -1\n", "ctmplot_1.plt, line 1: bad value \"nan\""},
        BadFile{"Infinity", "1 2 -1\r\n-inf\r\n", "ctmplot_1.plt, line 2: bad value \"-inf\""},
        BadFile{"BeyondDoubleRange", "1e999 -1\n", "ctmplot_1.plt, line 1: bad value \"1e999\""},
        BadFile{"BeyondAWholeNumber", "1 1e300 -1\n", "ctmplot_1.plt, line 1: bad value \"1e300\""},
        BadFile{"JustBeyondTheLimit", "32767.5\n", "ctmplot_1.plt, line 1: bad value \"32767.5\""},
        BadFile{"AfterAMillionBlanks", std::string(1000000, ' ') + "x\n",
                "ctmplot_1.plt, line 1: bad value \"x\""}),
    [](const auto& info) { return info.param.name; });

TEST(MalformedPlot, LineEndsAndCutsReadTheSame) {
    for (const char* text : {"1 2 -1\r\n3 4 -1\r\n", "1 2 -1\n3 4 -1\n", "1 2 -1\r3 4 -1\r",
                             "1,2,-1,3,4", "1 2 -1\n3 4"}) {
        std::istringstream in(text);
        const PlotData data = ReadPlotData(in, "ctmplot_1.plt");
        EXPECT_EQ(data.rowCount(), 2) << text;
        EXPECT_EQ(data.positionCount, 2) << text;
        EXPECT_EQ(data.at(2, 2), 4) << text;
    }
}

std::string PlanError(const std::string& text) {
    const DisplayModel model = test::LoadCorridorMap();
    std::istringstream in(text);
    try {
        ReadTimePlan(in, "plan.tpl", model);
    } catch (const ReadError& error) {
        return error.what();
    }
    return "no error";
}

class MalformedTimePlan : public ::testing::TestWithParam<BadFile> {};

TEST_P(MalformedTimePlan, IsRefusedNamingLineAndValue) {
    EXPECT_EQ(PlanError(GetParam().text), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MalformedTimePlan,
    ::testing::Values(
        BadFile{"BinaryGarbage", "\x7F\x1B\n",
                "plan.tpl, line 1: bad record number \"\\x7F\\x1B\""},
        BadFile{"HugeFieldIsCut", "1\n1 3" + std::string(1000000, '0') + "x\n",
                "plan.tpl, line 2: bad end time \"3000000000000000000000000000000000000000..."
                "\" (1000002 characters)"},
        BadFile{"CutInsideAPair", "1\r\n1 300\r\n0",
                "plan.tpl: the file ends in record 1 while "
                "reading its end time (a record closes "
                "with an end time of 10000)"},
        BadFile{"ValueBeyond32Bits", "1\n1 4294967296\n",
                "plan.tpl, line 2: bad end time \"4294967296\""},
        BadFile{"RealForAState", "1\n1.0 300\n", "plan.tpl, line 2: bad signal state \"1.0\""},
        BadFile{"NegativeState", "1\n-1 300\n",
                "plan.tpl, line 2: signal state -1 (1 green or 0 red expected)"},
        BadFile{"NegativeEndTime", "1\n1 300\n0 -5\n",
                "plan.tpl, line 3: end time -5 before the previous end time 300"},
        // Each record belongs to one signal of the project's cells.
        BadFile{"NoSignalOfTheProject", "1\n1 100\n0 10000\n57\n0 10000\n",
                "plan.tpl, line 4: record number 57, which is no signal of the project's cells"},
        BadFile{"RecordTwice", "1\n1 100\n0 10000\n1\n0 10000\n",
                "plan.tpl, line 4: record number 1 appears twice"}),
    [](const auto& info) { return info.param.name; });

TEST(MalformedTimePlan, LineEndsReadTheSame) {
    const DisplayModel model = test::LoadCorridorMap();
    std::vector<std::vector<SignalSequence>> read;
    for (const char* text :
         {"1\r\n1 100\r\n0 10000\r\n2\r\n0 10000\r\n", "1\n1 100\n0 10000\n2\n0 10000\n",
          "1\r1 100\r0 10000\r2\r0 10000\r", "1,1,100,0,10000,2,0,10000"}) {
        std::istringstream in(text);
        read.push_back(ReadTimePlan(in, "plan.tpl", model));
    }
    for (const auto& sequences : read) {
        ASSERT_EQ(sequences.size(), 2u);
        EXPECT_EQ(sequences[0].states, read[0][0].states);
        EXPECT_EQ(sequences[1].states, read[0][1].states);
    }
}

std::string OccupancyError(DisplayModel& model, const std::string& text) {
    std::istringstream in(text);
    try {
        ReadOccupancy(in, "occu_exist.occ", model);
    } catch (const ReadError& error) {
        return error.what();
    }
    return "no error";
}

const std::string kHeader =
    " \r\n \r\n******** O C C U P A N C Y   A R R A Y *******\r\nTime Step  Cell No.  Vehicles\r\n";

class MalformedOccupancy : public ::testing::TestWithParam<BadFile> {};

TEST_P(MalformedOccupancy, IsRefusedNamingLineAndValueAndLeavesTheModel) {
    DisplayModel model = test::LoadCorridorMap();
    EXPECT_EQ(OccupancyError(model, GetParam().text), GetParam().message);
    EXPECT_TRUE(model.occupancy.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, MalformedOccupancy,
    ::testing::Values(
        BadFile{"Empty", "", "occu_exist.occ: the file ends within its four header lines"},
        BadFile{"CutInTheHeader", " \r\n \r\n***",
                "occu_exist.occ: the file ends within its four "
                "header lines"},
        BadFile{"BinaryGarbage", kHeader + "\x01\x02\x03\r\n",
                "occu_exist.occ, line 5: expected second, cell number and vehicles, found "
                "\"\\x01\\x02\\x03\""},
        BadFile{"HugeFieldIsCut",
                kHeader + "    0         1  " + std::string(1000000, '1') + "x\r\n",
                "occu_exist.occ, line 5: bad vehicles \"1111111111111111111111111111111111111111..."
                "\" (1000001 characters)"},
        BadFile{"CutInsideALine", kHeader + "    0         1",
                "occu_exist.occ, line 5: expected second, cell number and vehicles, found \"    "
                "0         1\""},
        BadFile{"NegativeSecond", kHeader + "   -1         1           1.50\r\n",
                "occu_exist.occ, line 5: bad second \"-1\""},
        BadFile{"CellNumberZero", kHeader + "    0         0           1.50\r\n",
                "occu_exist.occ, line 5: bad cell number \"0\""},
        BadFile{"SecondBeyond32Bits", kHeader + "4294967296         1           1.50\r\n",
                "occu_exist.occ, line 5: bad second \"4294967296\""},
        BadFile{"VehiclesNotANumber", kHeader + "    0         1           nan\r\n",
                "occu_exist.occ, line 5: bad vehicles \"nan\""},
        // What no engine writes: fewer than no vehicles, more than a 32-bit real holds.
        BadFile{"NegativeVehicles", kHeader + "    0         1           -5\r\n",
                "occu_exist.occ, line 5: vehicles \"-5\" outside what the engine writes: 0 up "
                "to the largest 32-bit real"},
        BadFile{"VehiclesBeyond32Bits", kHeader + "    0         1           1e39\r\n",
                "occu_exist.occ, line 5: vehicles \"1e39\" outside what the engine writes: 0 "
                "up to the largest 32-bit real"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace talvo::display
