// The scenario echo at the top of the run report, character for character.

#include <gtest/gtest.h>

#include "SmallScenario.h"
#include "TestFiles.h"

namespace talvo {
namespace {

std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) {
        text += std::string(line) + "\r\n";
    }
    return text;
}

TEST(ScenarioEcho, SmallScenarioWholeText) {
    const auto result = test::ReadScenarioText(test::JoinLines(test::SmallScenarioLines()));
    const std::string expected = Lines({
        "",
        "",
        "",
        " ******* O U T P U T   F I L E ---  E X I S T I N G   S C E N A R I O *******",
        "",
        "********* G L O B A L   P A R A M E T E R S *********",
        " ",
        "V/W ratio:\t\t         0.50",
        "Jam Density, Kj (veh/km):     150.00",
        "Saturation Flow (vph):       1800.00",
        "% of Network Preloaded:        50.00",
        "Volume Multiplier     :         1.50",
        "Time Step (sec):                2",
        "End Simulation Step:           20",
        "Delay Period Startstep:         0",
        "Delay Period Endstep:          20",
        " ",
        " ",
        "********* C E L L   I N F O R M A T I O N *********",
        " ",
        "Number of Cells:    5",
        " ",
        "Entered Cell Data--",
        " ",
        " No.    Name  fFULL  Lns   fTURN   Typ   Fr1  Fr2  To1  To2  Spt1 Spt2 Prio  Sig? Plan  "
        "fMax",
        "  1  1-OR-1       0.5  2.00    1.00    OR    0    0    2    0  0.00 0.00 0.00    N    0  "
        "36.0",
        "  2  1-TR-2       0.5  2.00    1.00    TR    1    0    3    0  0.00 0.00 0.00    Y    4  "
        "36.0",
        "  3  1-DI-3       0.5  2.00    0.90    di    2    0    4    5  0.70 0.30 0.00    N    0  "
        "36.0",
        "  4  1-DE-4       0.5  2.00    1.00    De    3    0    0    0  0.00 0.00 0.00    N    0  "
        "36.0",
        "  5  2-DE-5       0.5  1.00    1.00    DE    3    0    0    0  0.00 0.00 0.00    N    0  "
        "30.0",
        " ",
        "Calculated Cell Data--",
        "Cell:    1   Qmax:   72.00   Capacity:*******   Initial n:    3.00",
        "Cell:    2   Qmax:   72.00   Capacity:   6.00   Initial n:    3.00",
        "Cell:    3   Qmax:   64.80   Capacity:   6.00   Initial n:    3.00",
        "Cell:    4   Qmax:   72.00   Capacity:*******   Initial n:    0.00",
        "Cell:    5   Qmax:   30.00   Capacity:*******   Initial n:    0.00",
        " ",
        " ",
        "********* D E M A N D   I N F O R M A T I O N *********",
        " ",
        "Number of Loadings:    3",
        " ",
        "Loading       Load       Start      End",
        "Cell        veh/hour     Step       Step",
        "    1       3600.00        0          9",
        "    1       1800.00        5         12",
        "    0        900.00        0         20",
        " ",
        " ",
        "********* T I M I N G   P L A N   I N F O R M A T I O N *********",
        " ",
        "Intersection:    1    Number of Stages:      2",
        " ",
        "Timing Plan Constraints:",
        " ",
        "Cmin:  40   Cmax:  90",
        "Gmin:  10",
        "Lost Time:   4",
        " ",
        " ",
        "********* A P P R O A C H   I N F O R M A T I O N  *********",
        " ",
        "Number of Defined Approaches:    2",
        "Max number of cells in one approach:    3",
        " ",
        "Approach  Weight  Plot?  Cell  1  Cell  2  Cell  3 ",
        "   1       1.00               1       2       0",
        "   2       1.00               3       0       0",
        "   1              2       3       4",
    });
    EXPECT_EQ(result.echo, expected);
}

TEST(ScenarioEcho, FiftyPlacesTakeTwoLines) {
    std::vector<std::string> lines = test::SmallScenarioLines();
    std::string zeros;
    for (int m = 0; m < 47; ++m) {
        zeros += "\t0";
    }
    lines[36] = "2\t50";
    lines[37] = "1\t1\t1-OR-1\t1-TR-2\t0" + zeros;
    lines[38] = "2\t1\t1-DI-3\t0\t0" + zeros;
    lines[39] = "1\t50";
    lines[40] = "1\t1\ty\t0\t20\t1-TR-2\t1-DI-3\t1-DE-4" + zeros;
    const std::string echo = test::ReadScenarioText(test::JoinLines(lines)).echo;
    std::string rest;
    for (int m = 0; m < 23; ++m) {
        rest += "       0";
    }
    std::string firstLine = "   1       1.00               1       2";
    for (int m = 3; m <= 27; ++m) {
        firstLine += "       0";
    }
    EXPECT_NE(echo.find(firstLine + "\r\n" + rest + "\r\n   2       1.00"), std::string::npos);
    std::string heading = "Approach  Weight  Plot?";
    for (int m = 1; m <= 50; ++m) {
        heading += (m < 10 ? "  Cell  " : "  Cell ") + std::to_string(m);
    }
    EXPECT_NE(echo.find(heading + " \r\n"), std::string::npos);
}

class ReferenceEcho : public ::testing::TestWithParam<const char*> {};

TEST_P(ReferenceEcho, MatchesTheExpectedReport) {
    const auto dir = test::DataDir() / "reference-runs" / GetParam();
    const auto result = test::ReadScenarioText(test::ReadFileText(dir / "input.fin"));
    const std::string expected =
        test::EchoPart(test::ReadFileText(dir / "expected" / "output_exist.out"));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(result.echo, expected);
}

INSTANTIATE_TEST_SUITE_P(ScenarioEcho, ReferenceEcho,
                         ::testing::Values("corridor", "two-junctions", "fgfc-small"));

}  // namespace
}  // namespace talvo
