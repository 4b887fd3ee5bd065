// Reading the engine's results table for the run window's level-of-service summary.
#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "launcher/ApproachLevels.h"

namespace talvo {
namespace {

TEST(ApproachLevels, TheTableBesideEachReport) {
    EXPECT_EQ(ApproachResultsOf("/runs/a/output_exist.out"), "/runs/a/results_exist.csv");
    EXPECT_EQ(ApproachResultsOf("/runs/a/output_VGVC.out"), "/runs/a/results_VGVC.csv");
}

TEST(ApproachLevels, ReadsRowsAndIgnoresForeignTables) {
    test::TempDir dir;
    const auto table = dir.path() / "results_exist.csv";
    {
        std::ofstream out(table, std::ios::binary);
        out << "approach,weight,delay_veh_h,vehicles,delay_per_vehicle_s,level_of_service\r\n"
               "1,1.00,0.5000,120.00,15.00,B\r\n"
               "2,2.00,0.0000,0.00,,\r\n"
               "x,1.00,0.1,1,1,A\r\n";
    }
    const std::vector<ApproachLevel> levels = ReadApproachLevels(table);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0].approach, 1);
    EXPECT_EQ(levels[0].delayPerVehicle, "15.00");
    EXPECT_EQ(levels[0].level, "B");
    EXPECT_EQ(levels[1].approach, 2);
    EXPECT_EQ(levels[1].level, "");
    {
        std::ofstream out(table, std::ios::binary);
        out << "something,else\r\n1,2\r\n";
    }
    EXPECT_TRUE(ReadApproachLevels(table).empty());
    EXPECT_TRUE(ReadApproachLevels(dir.path() / "missing.csv").empty());
}

}  // namespace
}  // namespace talvo
