// Chromosome layouts and the decoding of individuals into stage plans.
#include <gtest/gtest.h>

#include "EngineError.h"
#include "OptimiserTestScenario.h"
#include "optimiser/PlanDecoder.h"

namespace talvo {
namespace {

using testing::AddIntersection;
using testing::MakeTimingScenario;

void FillCycleBits(Individual& individual, uint8_t bit) {
    std::fill(individual.cycle.begin(), individual.cycle.end(), bit);
}

void SetWeights(Individual& individual, std::initializer_list<int> weights) {
    int first = 0;
    for (const int w : weights) {
        WriteGroup(individual.stage, first, w);
        first += kBitsPerGroup;
    }
}

TEST(ChromosomeLayout, SegmentLengthsByVariant) {
    auto scenario = MakeTimingScenario(10, 100, 4);
    AddIntersection(*scenario, 0, {{30, true}, {20, false}, {10, false}});
    AddIntersection(*scenario, 5, {{20, false}, {20, false}});

    const ChromosomeLayout fgfc = MakeLayout(*scenario, PlanVariant::FGFC);
    EXPECT_EQ(fgfc.cycleBits, 7);
    EXPECT_EQ(fgfc.offsetBits, 14);
    EXPECT_EQ(fgfc.stageBits, 28);
    const ChromosomeLayout vgfc = MakeLayout(*scenario, PlanVariant::VGFC);
    EXPECT_EQ(vgfc.cycleBits, 7);
    EXPECT_EQ(vgfc.offsetBits, 14);
    EXPECT_EQ(vgfc.stageBits, 112);
    const ChromosomeLayout vgvc = MakeLayout(*scenario, PlanVariant::VGVC);
    EXPECT_EQ(vgvc.cycleBits, 56);
    EXPECT_EQ(vgvc.offsetBits, 14);
    EXPECT_EQ(vgvc.stageBits, 112);
}

// The classic limits (200 offset, 3000 stage, 1000 cycle bits) are gone; what remains
// bounds a population's genes, refused naming the value.
TEST(ChromosomeLayout, RejectsSegmentsBeyondCapacityNamingTheValue) {
    auto scenario = MakeTimingScenario(10, 100, 110);
    AddIntersection(*scenario, 0, {{20, false}, {20, false}});
    EXPECT_NO_THROW(MakeLayout(*scenario, PlanVariant::FGFC));
    EXPECT_NO_THROW(MakeLayout(*scenario, PlanVariant::VGVC));
    AddIntersection(*scenario, 0, {{20, false}, {20, false}});
    EXPECT_EQ(MakeLayout(*scenario, PlanVariant::VGFC).stageBits, 3080);
    scenario->phaseCycle = 80;
    EXPECT_EQ(MakeLayout(*scenario, PlanVariant::VGVC).cycleBits, 1120);
    // 10000 plans of 7 x 2 x 40000 cycle, 14 offset and 7 x 4 x 40000 stage bits.
    scenario->phaseCycle = 40000;
    scenario->populationSize = 10000;
    try {
        MakeLayout(*scenario, PlanVariant::VGVC);
        FAIL() << "16800140000 population bits accepted";
    } catch (const EngineError& error) {
        EXPECT_NE(std::string(error.what()).find("16800140000"), std::string::npos) << error.what();
    }
}

TEST(ChromosomeLayout, RejectsMoreThan200OffsetBits) {
    auto scenario = MakeTimingScenario(10, 100, 1);
    for (int p = 0; p < 29; ++p)
        AddIntersection(*scenario, 0, {{20, true}});
    EXPECT_EQ(MakeLayout(*scenario, PlanVariant::FGFC).offsetBits, 203);  // past the classic 200
}

TEST(ChromosomeGroups, ReadMostSignificantBitFirstAndWriteLowSevenBits) {
    std::vector<uint8_t> bits{1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(ReadGroup(bits, 0), 65);
    EXPECT_EQ(ReadGroup(bits, 7), 1);
    WriteGroup(bits, 7, 130);  // low 7 bits: 2
    EXPECT_EQ(ReadGroup(bits, 7), 2);
    WriteGroup(bits, 0, -1);  // two's complement: 127
    EXPECT_EQ(ReadGroup(bits, 0), 127);
}

class FgfcDecode : public ::testing::Test {
  protected:
    void SetUp() override {
        scenario = MakeTimingScenario(10, 60, 2);
        AddIntersection(*scenario, 0, {{20, false}, {30, true}, {20, false}});  // G0 = 50
        scenario->minCycleTime = 20;  // so that C - G0 can be chosen freely below
        layout = MakeLayout(*scenario, PlanVariant::FGFC);
        individual = Individual(layout);
    }
    std::unique_ptr<Scenario> scenario;
    ChromosomeLayout layout;
    Individual individual;
    DecodedPlan plan;
};

TEST_F(FgfcDecode, AllZeroCycleBitsGiveTheMinimumCycle) {
    FillCycleBits(individual, 0);
    DecodeIndividual(*scenario, layout, individual, plan);
    EXPECT_EQ(plan.cycleLength, 20);
}

TEST_F(FgfcDecode, AllOneCycleBitsGiveTheMaximumCycle) {
    FillCycleBits(individual, 1);
    DecodeIndividual(*scenario, layout, individual, plan);
    EXPECT_EQ(plan.cycleLength, 60);
}

TEST_F(FgfcDecode, CycleValueScalesDownwardsBetweenTheLimits) {
    WriteGroup(individual.cycle, 0, 64);  // 20 + 40 * 64 div 127 = 20 + 20
    DecodeIndividual(*scenario, layout, individual, plan);
    EXPECT_EQ(plan.cycleLength, 40);
}

TEST(FgfcDecodeWeights, WeightsOneAndThreeShareFortySeconds) {
    auto scenario = MakeTimingScenario(10, 60, 1);
    AddIntersection(*scenario, 0, {{15, false}, {15, false}});  // G0 = 20 = minCycleTime
    const ChromosomeLayout layout = MakeLayout(*scenario, PlanVariant::FGFC);
    Individual individual(layout);
    FillCycleBits(individual, 1);  // C = 60, C - G0 = 40
    SetWeights(individual, {1, 3});
    WriteGroup(individual.offset, 0, 100);
    DecodedPlan plan;
    DecodeIndividual(*scenario, layout, individual, plan);
    EXPECT_EQ(plan.stages.slotDuration[1][1], 20);
    EXPECT_EQ(plan.stages.slotDuration[1][2], 40);
    EXPECT_EQ(plan.stages.offset[1], 100);  // offsets above the cycle stay as they are
    EXPECT_FALSE(plan.stages.variesByCycle);
}

TEST_F(FgfcDecode, ZeroWeightsSplitTheFreeTimeEquallyAndFixedStagesKeepTheirDuration) {
    FillCycleBits(individual, 1);  // C = 60, free time 10
    SetWeights(individual, {0, 0});
    DecodeIndividual(*scenario, layout, individual, plan);
    EXPECT_EQ(plan.stages.slotDuration[1][1], 15);
    EXPECT_EQ(plan.stages.slotDuration[1][2], 30);
    EXPECT_EQ(plan.stages.slotDuration[1][3], 15);
}

TEST(FgfcDecodeCorrection, ThreeEqualWeightsGetTheMissingSecondOnTheFirstFreeStage) {
    auto scenario = MakeTimingScenario(10, 45, 2);
    AddIntersection(*scenario, 0, {{5, true}, {12, false}, {12, false}, {12, false}});  // G0 35
    scenario->minCycleTime = 30;
    const ChromosomeLayout layout = MakeLayout(*scenario, PlanVariant::FGFC);
    Individual individual(layout);
    FillCycleBits(individual, 1);  // C = 45, C - G0 = 10
    SetWeights(individual, {1, 1, 1});
    DecodedPlan plan;
    DecodeIndividual(*scenario, layout, individual, plan);
    EXPECT_EQ(plan.cycleLength, 45);
    EXPECT_EQ(plan.stages.slotDuration[1][1], 5);
    EXPECT_EQ(plan.stages.slotDuration[1][2], 14);  // 13 + the correction's 1
    EXPECT_EQ(plan.stages.slotDuration[1][3], 13);
    EXPECT_EQ(plan.stages.slotDuration[1][4], 13);
}

TEST(FgfcDecodeCorrection, AnExcessIsTakenFromTheFirstFreeStage) {
    auto scenario = MakeTimingScenario(10, 30, 1);
    AddIntersection(*scenario, 0, {{10, false}, {10, false}});  // G0 20
    const ChromosomeLayout layout = MakeLayout(*scenario, PlanVariant::FGFC);
    Individual individual(layout);
    WriteGroup(individual.cycle, 0, 127);  // C = 30, free 10
    SetWeights(individual, {1, 1});        // 10 + round(5) twice = 15 + 15: exact
    DecodedPlan plan;
    DecodeIndividual(*scenario, layout, individual, plan);
    EXPECT_EQ(plan.stages.slotDuration[1][1] + plan.stages.slotDuration[1][2], 30);
    scenario->maxCycleTime = 29;  // C = 29, free 9: 10 + round(4.5) = 15 twice = 30
    DecodeIndividual(*scenario, layout, individual, plan);
    EXPECT_EQ(plan.stages.slotDuration[1][1], 14);
    EXPECT_EQ(plan.stages.slotDuration[1][2], 15);
}

TEST(FgfcDecodeCorrection, IntersectionWithoutFreeStagesKeepsItsFixedDurations) {
    auto scenario = MakeTimingScenario(10, 90, 1);
    AddIntersection(*scenario, 0, {{20, true}, {25, true}});
    AddIntersection(*scenario, 0, {{10, false}, {10, false}});
    const ChromosomeLayout layout = MakeLayout(*scenario, PlanVariant::FGFC);
    Individual individual(layout);
    FillCycleBits(individual, 1);
    DecodedPlan plan;
    DecodeIndividual(*scenario, layout, individual, plan);
    EXPECT_EQ(plan.stages.slotDuration[1][1], 20);
    EXPECT_EQ(plan.stages.slotDuration[1][2], 25);
    EXPECT_EQ(plan.stages.slotDuration[2][1] + plan.stages.slotDuration[2][2], 90);
}

TEST(VgfcDecode, EachCycleIsSharedSeparatelyWithoutCorrection) {
    auto scenario = MakeTimingScenario(10, 45, 2);
    AddIntersection(*scenario, 0, {{5, true}, {12, false}, {12, false}, {12, false}});  // G0 35
    scenario->minCycleTime = 30;
    const ChromosomeLayout layout = MakeLayout(*scenario, PlanVariant::VGFC);
    ASSERT_EQ(layout.stageBits, 42);
    Individual individual(layout);
    FillCycleBits(individual, 1);       // C = 45, free 10
    SetWeights(individual, {1, 1, 1,    // cycle 1: 13 each, one second short
                            0, 1, 3});  // cycle 2: 10, 10 + round(2.5), 10 + round(7.5)
    DecodedPlan plan;
    DecodeIndividual(*scenario, layout, individual, plan);
    EXPECT_TRUE(plan.stages.variesByCycle);
    EXPECT_EQ(plan.cycleLength, 45);
    const std::vector<int> expected{5, 13, 13, 13, 5, 10, 13, 18};
    for (int k = 1; k <= 8; ++k) {
        EXPECT_EQ(plan.stages.slotDuration[1][k], expected[k - 1]) << "slot " << k;
    }
}

TEST(VgvcDecode, EveryIntersectionAndCycleHasItsOwnLength) {
    auto scenario = MakeTimingScenario(10, 47, 2);
    AddIntersection(*scenario, 3, {{10, false}, {10, false}, {10, false}});  // G0 30
    AddIntersection(*scenario, 9, {{10, false}, {10, false}});               // G0 20
    const ChromosomeLayout layout = MakeLayout(*scenario, PlanVariant::VGVC);
    ASSERT_EQ(layout.cycleBits, 28);
    Individual individual(layout);
    // Cycle groups by intersection, then cycle: 30 + 17 v div 127.
    WriteGroup(individual.cycle, 0, 0);     // p1 c1: 30
    WriteGroup(individual.cycle, 7, 127);   // p1 c2: 47
    WriteGroup(individual.cycle, 14, 75);   // p2 c1: 30 + 1275 div 127 = 40
    WriteGroup(individual.cycle, 21, 127);  // p2 c2: 47
    SetWeights(individual, {1, 1, 1, 1, 1, 1, 0, 0, 1, 0});
    WriteGroup(individual.offset, 0, 3);
    WriteGroup(individual.offset, 7, 9);
    DecodedPlan plan;
    DecodeIndividual(*scenario, layout, individual, plan);
    EXPECT_EQ(plan.cycleOf[1][1], 30);
    EXPECT_EQ(plan.cycleOf[1][2], 47);
    EXPECT_EQ(plan.cycleOf[2][1], 40);
    EXPECT_EQ(plan.cycleOf[2][2], 47);
    // p1: cycle 1 has no free time; cycle 2 shares 17 in thirds: 10 + round(5.67) = 16 each,
    // one second over, not corrected.
    const std::vector<int> p1{10, 10, 10, 16, 16, 16};
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(plan.stages.slotDuration[1][k], p1[k - 1]) << k;
    // p2: cycle 1 zero weights split 20 equally; cycle 2 gives all 27 to stage 1.
    const std::vector<int> p2{20, 20, 37, 10};
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(plan.stages.slotDuration[2][k], p2[k - 1]) << k;
    EXPECT_EQ(plan.stages.offset[2], 9);
}

}  // namespace
}  // namespace talvo

namespace talvo {
namespace {

// A network without signalised junctions leaves the VGVC chromosome without cycle bits.
TEST(VgvcDecode, NoIntersectionsNeedNoCycleBits) {
    auto scenario = testing::MakeTimingScenario(10, 90, 2);
    const ChromosomeLayout layout = MakeLayout(*scenario, PlanVariant::VGVC);
    ASSERT_EQ(layout.cycleBits, 0);
    const Individual individual(layout);
    DecodedPlan plan;
    auto tables = std::make_unique<SignalTables>();
    DecodeIndividual(*scenario, layout, individual, plan, *tables);
    EXPECT_EQ(plan.cycleLength, scenario->minCycleTime);
}

}  // namespace
}  // namespace talvo
