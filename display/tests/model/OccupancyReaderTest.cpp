#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <new>
#include <sstream>

#include "ReaderTestSupport.h"
#include "model/OccupancyReader.h"
#include "model/ReadError.h"

namespace talvo::display {
namespace {

using test::DataFile;

const std::string kHeader =
    " \r\n \r\n******** O C C U P A N C Y   A R R A Y *******\r\nTime Step  Cell No.  Vehicles\r\n";

// An occupancy file as the engine writes it: per cell, per step t, timeStep lines.
std::string EngineOccupancy(int cells, int timeStep, int endSimulationStep,
                            double (*value)(int cell, int t)) {
    std::ostringstream out;
    out << kHeader;
    for (int c = 1; c <= cells; ++c) {
        for (int t = 0; t <= endSimulationStep; t += timeStep) {
            for (int s = 1; s <= timeStep; ++s) {
                out << std::setw(5) << t + s - 1 << "     " << std::setw(5) << c << "     "
                    << std::setw(10) << std::fixed << std::setprecision(2) << value(c, t) << "\r\n";
            }
        }
    }
    return out.str();
}

double CellAndTime(int cell, int t) {
    return cell * 1000 + t / 100.0;
}

void ReadInto(DisplayModel& model, const std::string& text) {
    std::istringstream in(text);
    ReadOccupancy(in, "test.occ", model);
}

TEST(OccupancyReader, ReadsTheCorridorRunCellByCell) {
    DisplayModel model = test::LoadCorridorMap();
    std::ifstream in(DataFile("corridor_occu_exist.occ"), std::ios::binary);
    ReadOccupancy(in, "corridor_occu_exist.occ", model);
    const std::string text = test::ReadText(DataFile("corridor_occu_exist.occ"));
    // The corridor's street entries are its cells 1..12 in order.
    for (const int k : {1, 5, 8, 12}) {
        ASSERT_EQ(model.occupancy.at(k).size(), 301U);
        for (const int t : {0, 1, 2, 150, 299, 300}) {
            EXPECT_DOUBLE_EQ(model.occupancyAt(k, t), test::EngineValue(text, 301, k, t))
                << "cell " << k << " second " << t;
        }
    }
    EXPECT_DOUBLE_EQ(model.occupancyAt(1, 0), 1.50);
    EXPECT_DOUBLE_EQ(model.occupancyAt(1, 1), 1.17);
}

TEST(OccupancyReader, AnEndStepShorterThanTheRunReadsTheFirstSecondsOfEachCell) {
    DisplayModel model = test::LoadCorridorMap(test::CorridorProjectWithEndStep(200));
    std::ifstream in(DataFile("corridor_occu_exist.occ"), std::ios::binary);
    ReadOccupancy(in, "corridor_occu_exist.occ", model);
    const std::string text = test::ReadText(DataFile("corridor_occu_exist.occ"));
    // Counting lines would have given cell 2 the last 100 seconds of cell 1.
    for (const int k : {2, 7, 12}) {
        ASSERT_EQ(model.occupancy.at(k).size(), 201U);
        for (const int t : {0, 100, 200}) {
            EXPECT_DOUBLE_EQ(model.occupancyAt(k, t), test::EngineValue(text, 301, k, t));
        }
    }
}

TEST(OccupancyReader, TimeStepTwoHoldsEachValueForTwoSeconds) {
    DisplayModel model = test::LoadCorridorMap();
    model.project.params.timeStep = 2;
    ReadInto(model, EngineOccupancy(12, 2, 300, CellAndTime));
    EXPECT_DOUBLE_EQ(model.occupancyAt(7, 0), 7000.0);
    EXPECT_DOUBLE_EQ(model.occupancyAt(7, 1), 7000.0);
    EXPECT_DOUBLE_EQ(model.occupancyAt(7, 2), 7000.02);
    EXPECT_DOUBLE_EQ(model.occupancyAt(7, 299), 7002.98);
    EXPECT_DOUBLE_EQ(model.occupancyAt(7, 300), 7003.0);
    EXPECT_EQ(model.occupancy.at(7).size(), 301U);
}

TEST(OccupancyReader, EngineCellsFollowTheStreetEntriesNotTheCellTable) {
    DisplayModel model = test::LoadCorridorMap(DataFile("export_corridor.tin"));
    ReadInto(model, EngineOccupancy(13, 1, 1000, CellAndTime));
    // Streets: Main St 1..7, North Ave 10, 11, 12, Park Rd 13, 14, 15.
    EXPECT_DOUBLE_EQ(model.occupancyAt(10, 5), 8000.05);
    EXPECT_DOUBLE_EQ(model.occupancyAt(15, 1000), 13010.0);
    EXPECT_DOUBLE_EQ(model.occupancyAt(7, 0), 7000.0);
}

TEST(OccupancyReader, ACellOutsideEveryStreetStaysEmpty) {
    std::string text = test::ReadText(DataFile("corridor_run.tin"));
    const std::string side = "\"Side St\",2500,2100,5\r\n8,9,10,11,12\r\n";
    text.replace(text.find(side), side.size(), "\"Side St\",2500,2100,4\r\n8,9,10,11\r\n");
    DisplayModel model = test::LoadCorridorMap(test::WriteTempFile("no12.tin", text));
    ReadInto(model, EngineOccupancy(12, 1, 300, CellAndTime));
    EXPECT_EQ(model.occupancy.count(12), 0U);
    for (int t = 0; t <= 300; ++t) {
        EXPECT_EQ(model.occupancyAt(12, t), 0.0);
    }
    EXPECT_DOUBLE_EQ(model.occupancyAt(11, 3), 11000.03);
}

// A run past the classic bounds: the engine widens its I5 second and cell number fields to
// fit ("100000     1       0.00"), so the fields no longer stand in fixed columns.
struct WideRun {
    const char* name;
    int streetEntries;
    int endStep;
};

double CellModThousandAndTime(int cell, int t) {
    return cell % 1000 + t / 100.0;
}

TEST(OccupancyReader, ReadsTheWidenedFieldsOfALargeRun) {
    const WideRun runs[] = {{"second past 99999", 1, kMaxTime}, {"cell past 99999", 100001, 0}};
    for (const WideRun& run : runs) {
        DisplayModel model;
        model.project.params.endStep = run.endStep;
        StreetRecord street;
        for (int id = 1; id <= run.streetEntries; ++id) {
            CellRecord cell;
            cell.cellID = id;
            model.project.tables.cells.push_back(cell);
            street.cellIDs.push_back(id);
        }
        model.project.tables.streets.push_back(street);
        const std::string file =
            EngineOccupancy(run.streetEntries, 1, run.endStep, CellModThousandAndTime);
        ReadInto(model, file);
        const int last = run.streetEntries;
        EXPECT_DOUBLE_EQ(model.occupancyAt(last, run.endStep),
                         CellModThousandAndTime(last, run.endStep))
            << run.name;
        EXPECT_EQ(model.occupancy.size(), size_t(run.streetEntries)) << run.name;
    }
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

// The address space this process uses now, in bytes.
size_t AddressSpaceInUse() {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0;
    statm >> pages;
    return pages * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

// Reads with the address space limited to `bytes`: 0 when the file is refused, 2 when
// memory ran out first, 1 when it was accepted. Run in a child process.
int ReadWithin(size_t bytes, DisplayModel& model, const std::string& file) {
    const rlimit bound{bytes, bytes};
    ::setrlimit(RLIMIT_AS, &bound);
    try {
        ReadInto(model, file);
    } catch (const ReadError&) {
        return 0;
    } catch (const std::bad_alloc&) {
        return 2;
    }
    return 1;
}

// A small project can promise ten thousand seconds of ten thousand street entries; an
// occupancy file of one line must be refused without the memory that promise would take.
TEST(OccupancyReader, MemoryFollowsTheFileNotWhatItsProjectPromises) {
    if (kAddressSanitizer) {
        GTEST_SKIP() << "an address-space limit does not combine with the address sanitizer";
    }
    DisplayModel model;
    model.project.params.endStep = 9999;
    model.project.tables.cells.resize(1);
    model.project.tables.cells[0].cellID = 1;
    model.project.tables.streets.resize(50);
    for (StreetRecord& street : model.project.tables.streets) {
        street.cellIDs.assign(200, 1);
    }
    const std::string file = kHeader + "    0         1           1.50\r\n";
    // 800 MB would be needed for the series the counts promise.
    EXPECT_EXIT(std::_Exit(ReadWithin(AddressSpaceInUse() + (256u << 20), model, file)),
                ::testing::ExitedWithCode(0), "");
}

struct BadOccupancy {
    const char* name;
    std::string text;
    const char* detailPart;
};

void PrintTo(const BadOccupancy& c, std::ostream* out) {
    *out << c.name;
}

class OccupancyFailure : public ::testing::TestWithParam<BadOccupancy> {};

TEST_P(OccupancyFailure, IsRefusedWithTheLineAndTheModelUntouched) {
    DisplayModel model = test::LoadCorridorMap();
    try {
        ReadInto(model, GetParam().text);
        FAIL() << "accepted";
    } catch (const ReadError& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().detailPart), std::string::npos)
            << error.what();
    }
    EXPECT_TRUE(model.occupancy.empty());
}

std::string ShortRun() {
    return EngineOccupancy(12, 1, 250, CellAndTime);
}

std::string WithLine(int lineNumber, const std::string& replacement) {
    std::istringstream in(EngineOccupancy(12, 1, 300, CellAndTime));
    std::ostringstream out;
    std::string line;
    for (int i = 1; std::getline(in, line); ++i) {
        out << (i == lineNumber ? replacement + "\r" : line) << "\n";
    }
    return out.str();
}

INSTANTIATE_TEST_SUITE_P(
    Files, OccupancyFailure,
    ::testing::Values(BadOccupancy{"HeaderOnly", " \r\n \r\n", "header"},
                      BadOccupancy{"ShorterHorizon", ShortRun(), "at second 251"},
                      BadOccupancy{"MissingCell", EngineOccupancy(11, 1, 300, CellAndTime),
                                   "cell number 12 (cell 12) at second 0"},
                      BadOccupancy{"Stars", WithLine(10, "    5         1     **********"),
                                   "line 10: bad vehicles \"**********\""},
                      BadOccupancy{"TwoFields", WithLine(7, "    2         1"), "line 7"},
                      BadOccupancy{"Twice", WithLine(6, "    0         1           1.00"),
                                   "line 6: second 0 of cell number 1 appears twice"},
                      BadOccupancy{"SecondPastTheEngine",
                                   WithLine(8, "100001         1           1.00"),
                                   "line 8: second 100001 past the engine's last, 100000"},
                      BadOccupancy{"CellPastTheEngine", WithLine(9, "    5   1000001      1.00"),
                                   "line 9: cell number 1000001 past the engine's largest"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace talvo::display
