// Every layout the engine's report, plan, occupancy and plot files use, with values and
// the line they give as it stands in the reference runs (corridor, two-junctions,
// fgfc-small).

#include <gtest/gtest.h>

#include <string>

#include "format/RecordWriter.h"

namespace talvo {
namespace {

struct ReportCase {
    std::string format;
    FormatValues values;
    std::string expectedLine;  // without its line end
};

void PrintTo(const ReportCase& c, std::ostream* os) {
    *os << c.format;
}

class ReportFormatTest : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportFormatTest, WritesTheReferenceLine) {
    const auto& c = GetParam();
    EXPECT_EQ(FormatRecord(c.format, c.values), c.expectedLine + "\r\n");
}

std::string S(const char* text) {
    return std::string(text);
}

// clang-format off
const ReportCase kScenarioEcho[] = {
    {"(' ')", {}, " "},
    {"('********* G L O B A L   P A R A M E T E R S *********')", {},
     "********* G L O B A L   P A R A M E T E R S *********"},
    {"('Jam Density, Kj (veh/km):',2X,F9.2)", {150.0f}, "Jam Density, Kj (veh/km):     150.00"},
    {"('Saturation Flow (vph):',6X,F8.2)", {1800.0f}, "Saturation Flow (vph):       1800.00"},
    {"('% of Network Preloaded:',6X,F7.2)", {50.0f}, "% of Network Preloaded:        50.00"},
    {"('% of Network Preloaded:',6X,F7.2)", {0.0f}, "% of Network Preloaded:         0.00"},
    {"('Volume Multiplier     :',6X,F7.2)", {1.0f}, "Volume Multiplier     :         1.00"},
    {"('Time Step (sec):',12X,I5)", {1}, "Time Step (sec):                1"},
    {"('End Simulation Step:',8X,I5)", {300}, "End Simulation Step:          300"},
    {"('Delay Period Startstep:',5X,I5)", {0}, "Delay Period Startstep:         0"},
    {"('Delay Period Endstep:',7X,I5)", {300}, "Delay Period Endstep:         300"},
    {"('********* C E L L   I N F O R M A T I O N *********')", {},
     "********* C E L L   I N F O R M A T I O N *********"},
    {"('Number of Cells:',I5)", {12}, "Number of Cells:   12"},
    {"('Entered Cell Data--')", {}, "Entered Cell Data--"},
    {"(1X,'No.',4X,'Name',2X,'fFULL',2X,'Lns',3X,'fTURN',3X,'Typ',3X,'Fr1',2X,'Fr2',2X,"
     "'To1',2X,'To2',2X,'Spt1',1X,'Spt2',1X,'Prio',2X,'Sig?',1X,'Plan',2X,'fMax')", {},
     " No.    Name  fFULL  Lns   fTURN   Typ   Fr1  Fr2  To1  To2  Spt1 Spt2 Prio  Sig? Plan  fMax"},
    {"(I3,2X,A11,F5.1,F6.2,2X,F6.2,4X,A,4I5,F6.2,2F5.2,4X,A,I5,F6.1)",
     {1, S("1-OR-1     "), 0.5f, 2.0f, 1.0f, S("OR"), 0, 0, 2, 0, 0.0f, 0.0f, 0.0f, S("N"), 0,
      36.0f},
     "  1  1-OR-1       0.5  2.00    1.00    OR    0    0    2    0  0.00 0.00 0.00    N    0  36.0"},
    {"(I3,2X,A11,F5.1,F6.2,2X,F6.2,4X,A,4I5,F6.2,2F5.2,4X,A,I5,F6.1)",
     {10, S("2-TR-10    "), 0.5f, 1.0f, 0.9f, S("TR"), 9, 0, 11, 0, 0.0f, 0.0f, 0.0f, S("Y"), 2,
      30.0f},
     " 10  2-TR-10      0.5  1.00    0.90    TR    9    0   11    0  0.00 0.00 0.00    Y    2  30.0"},
    {"(I3,2X,A11,F5.1,F6.2,2X,F6.2,4X,A,4I5,F6.2,2F5.2,4X,A,I5,F6.1)",
     {17, S("3-TR-17    "), 0.0f, 1.0f, 0.9f, S("TR"), 16, 0, 18, 0, 0.0f, 0.0f, 0.0f, S("Y"), 4,
      30.0f},
     " 17  3-TR-17      0.0  1.00    0.90    TR   16    0   18    0  0.00 0.00 0.00    Y    4  30.0"},
    {"('Calculated Cell Data--')", {}, "Calculated Cell Data--"},
    {"('Cell:',I5,3X,'Qmax:',F8.2,3X,'Capacity:',F7.2,3X,'Initial n:',F8.2)",
     {1, 36.0f, 99999.0f, 1.5f},
     "Cell:    1   Qmax:   36.00   Capacity:*******   Initial n:    1.50"},
    {"('Cell:',I5,3X,'Qmax:',F8.2,3X,'Capacity:',F7.2,3X,'Initial n:',F8.2)",
     {9, 15.0f, 1.25f, 0.625f},
     "Cell:    9   Qmax:   15.00   Capacity:   1.25   Initial n:    0.63"},
    {"('********* D E M A N D   I N F O R M A T I O N *********')", {},
     "********* D E M A N D   I N F O R M A T I O N *********"},
    {"('Number of Loadings:',I5)", {2}, "Number of Loadings:    2"},
    {"('Loading',7X,'Load',7X,'Start',6X,'End')", {}, "Loading       Load       Start      End"},
    {"('Cell',8X,'veh/hour',5X,'Step',7X,'Step')", {}, "Cell        veh/hour     Step       Step"},
    {"(I5,4X,F10.2,3X,I6,5X,I6)", {1, 1500.0f, 0, 200}, "    1       1500.00        0        200"},
    {"(I5,4X,F10.2,3X,I6,5X,I6)", {8, 900.0f, 20, 240}, "    8        900.00       20        240"},
    {"('********* T I M I N G   P L A N   I N F O R M A T I O N *********')", {},
     "********* T I M I N G   P L A N   I N F O R M A T I O N *********"},
    {"('Intersection:',I5,4X,'Number of Stages:',2X,I5)", {1, 2},
     "Intersection:    1    Number of Stages:      2"},
    {"('Timing Plan Constraints:')", {}, "Timing Plan Constraints:"},
    {"('Cmin:',I4,3X,'Cmax:',I4)", {55, 120}, "Cmin:  55   Cmax: 120"},
    {"('Gmin:',I4)", {10}, "Gmin:  10"},
    {"('Lost Time:',I4)", {4}, "Lost Time:   4"},
    {"('********* A P P R O A C H   I N F O R M A T I O N  *********')", {},
     "********* A P P R O A C H   I N F O R M A T I O N  *********"},
    {"('Number of Defined Approaches:',I5)", {2}, "Number of Defined Approaches:    2"},
    {"('Max number of cells in one approach:',I5)", {50},
     "Max number of cells in one approach:   50"},
};

const ReportCase kResults[] = {
    {"('OPTIMIZED TIMING PLAN SETTING:')", {}, "OPTIMIZED TIMING PLAN SETTING:"},
    {"('DELAY BY APPROACH:')", {}, "DELAY BY APPROACH:"},
    {"('Delay analysis period (inclusive): ',I5,' sec to',I5,' sec')", {60, 360},
     "Delay analysis period (inclusive):    60 sec to  360 sec"},
    {"('Approach',3X,'Weight',9X,'Delay',8X,'Delay',10X,'Total',8X,'Delay per')", {},
     "Approach   Weight         Delay        Delay          Total        Delay per"},
    {"(3X,'No.',17X,'(veh-steps)',3X,'(veh-hr)',9X,'Veh.',8X,'Veh.(sec)')", {},
     "   No.                 (veh-steps)   (veh-hr)         Veh.        Veh.(sec)"},
    {"(I5,5X,F7.2,5X,F11.2,2X,F11.2,3X,F11.2,7X,F6.2)",
     {1, 1.0f, 1041.68f, 1041.68f / 3600.0f, 90.83f, 11.47f},
     "    1        1.00         1041.68         0.29         90.83        11.47"},
    {"(I5,5X,F7.2,5X,F11.2,2X,F11.2,3X,F11.2,7X,F6.2)",
     {3, 1.0f, 6880.32f, 6880.32f / 3600.0f, 54.68f, 125.84f},
     "    3        1.00         6880.32         1.91         54.68       125.84"},
    {"('Total weighted delay(hr):',F10.2)", {1.19f}, "Total weighted delay(hr):      1.19"},
    {"('******** O C C U P A N C Y   A R R A Y *******')", {},
     "******** O C C U P A N C Y   A R R A Y *******"},
    {"('Time Step',2X,'Cell No.',2X,'Vehicles')", {}, "Time Step  Cell No.  Vehicles"},
    {"(I5,5X,I5,5X,F10.2)", {0, 1, 1.5f}, "    0         1           1.50"},
    {"(I5,5X,I5,5X,F10.2)", {295, 1, 0.44f}, "  295         1           0.44"},
    {"(51F7.2)", {1.5f, 1.5f, 1.5f, 1.5f, 1.5f, 1.5f, 0.0f, -1.0f},
     "   1.50   1.50   1.50   1.50   1.50   1.50   0.00  -1.00"},
    {"(50F7.2)", {3.83f, 2.81f, 2.25f, 1.5f, 1.13f, 0.94f, 46.54f},
     "   3.83   2.81   2.25   1.50   1.13   0.94  46.54"},
    {"(I5)", {1}, "    1"},
    {"(I3,3X,I6)", {0, 5}, "  0        5"},
    {"(I3,3X,I6)", {1, 1000}, "  1     1000"},
    {"(I3,3X,I6)", {0, 10000}, "  0    10000"},
};

const ReportCase kOptimisation[] = {
    {"('********* G A   P A R A M E T E R S *********')", {},
     "********* G A   P A R A M E T E R S *********"},
    {"('Population Size:',7X,I7)", {8}, "Population Size:             8"},
    {"('Bit length-phase:',2X,I4,5X,'Bit length-cycle:',2X,I4)", {7, 7},
     "Bit length-phase:     7     Bit length-cycle:     7"},
    {"('Mutations per iteration:',2X,F7.4)", {0.1f}, "Mutations per iteration:   0.1000"},
    {"('Iterations (generations):',I5)", {6}, "Iterations (generations):    6"},
    {"('Power of function:',8X,I4)", {5}, "Power of function:           5"},
    {"('No. of Phases need to optimize:',2X,I4)", {4}, "No. of Phases need to optimize:     4"},
    {"('GA stops if no further improvement shown in',I2,' Iterations (generations)')", {3},
     "GA stops if no further improvement shown in 3 Iterations (generations)"},
    {"('GA stops if no further improvement shown in',I2,' Iterations (generations)')", {5},
     "GA stops if no further improvement shown in 5 Iterations (generations)"},
    {"('------------------------------------------------------------------------')", {},
     "------------------------------------------------------------------------"},
    {"('  O U T P U T   O U T P U T   O U T P U T   O U T P U T   O U T P U T')", {},
     "  O U T P U T   O U T P U T   O U T P U T   O U T P U T   O U T P U T"},
    {"('>> Genetic Algorithm Search Process')", {}, ">> Genetic Algorithm Search Process"},
    {"('Iteration',4X,'Max TWD',5X,'Min TWD',3X,'Best Min TWD',4X,'CumCalc time')", {},
     "Iteration    Max TWD     Min TWD   Best Min TWD    CumCalc time"},
    {"(I5,6X,F10.2,2X,F10.2,2X,F10.2,2X,F15.2)",
     {1, 29802.762f, 9376.73f, 9376.73f, 0.045113087},
     "    1        29802.76     9376.73     9376.73             0.05"},
    {"(I5,6X,F10.2,2X,F10.2,2X,F10.2,2X,F15.2)",
     {5, 24228.215f, 7581.632f, 7546.233f, 0.20435166},
     "    5        24228.21     7581.63     7546.23             0.20"},
    {"('TOTAL RUN TIME (sec):',F15.2)", {0.24244809}, "TOTAL RUN TIME (sec):           0.24"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(ScenarioEcho, ReportFormatTest, ::testing::ValuesIn(kScenarioEcho));
INSTANTIATE_TEST_SUITE_P(Results, ReportFormatTest, ::testing::ValuesIn(kResults));
INSTANTIATE_TEST_SUITE_P(Optimisation, ReportFormatTest, ::testing::ValuesIn(kOptimisation));

}  // namespace
}  // namespace talvo
