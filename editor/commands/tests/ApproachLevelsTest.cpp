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
    EXPECT_EQ(levels[0].delayHours, "0.5000");
    EXPECT_EQ(levels[0].vehicles, "120.00");
    {
        std::ofstream out(table, std::ios::binary);
        out << "something,else\r\n1,2\r\n";
    }
    EXPECT_TRUE(ReadApproachLevels(table).empty());
    EXPECT_TRUE(ReadApproachLevels(dir.path() / "missing.csv").empty());
}

TEST(ApproachLevels, TheComparisonSetsEachApproachBesideTheExistingRuns) {
    const std::vector<ApproachLevel> existing = {{2, "0.9", "80", "40.5", "D"},
                                                 {1, "0.5", "120", "15.00", "B"}};
    const std::vector<ApproachLevel> result = {{1, "0.4", "121", "11.90", "B"},
                                               {3, "0.1", "10", "36.0", "D"}};
    const std::vector<ApproachComparison> rows = CompareApproaches(existing, result);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].existing.delayPerVehicle, "15.00");
    EXPECT_EQ(rows[1].existing.delayHours, "");  // not in the existing run
    EXPECT_EQ(ComparisonCsv(rows, "FGFC"),
              "approach,delay_veh_h_exist,delay_veh_h_FGFC,delay_per_vehicle_s_exist,"
              "delay_per_vehicle_s_FGFC,vehicles_exist,vehicles_FGFC\r\n"
              "1,0.5,0.4,15.00,11.90,120,121\r\n"
              "3,,0.1,,36.0,,10\r\n");
    EXPECT_EQ(ComparisonTableOf("/runs/a/output_VGVC.out"), "/runs/a/comparison_VGVC.csv");
}

}  // namespace
}  // namespace talvo
