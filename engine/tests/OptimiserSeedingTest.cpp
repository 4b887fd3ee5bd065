// Seeds of the first populations: the existing plan, its Webster version, and the best plan
// of the stage before.
#include <gtest/gtest.h>

#include "OptimiserTestScenario.h"
#include "RecordedRunReplay.h"
#include "optimiser/PlanDecoder.h"
#include "optimiser/Seeding.h"
#include "optimiser/WebsterVolumes.h"

namespace talvo {
namespace {

using testing::AddIntersection;
using testing::AddSignal;
using testing::MakeTimingScenario;

// The timing block of the small FGFC reference network: Gmin 10, Cmax 100, cycle 60.
std::unique_ptr<Scenario> TwoIntersections() {
    auto scenario = MakeTimingScenario(10, 100, 4);
    scenario->networkCycleTime = 60;
    AddIntersection(*scenario, 7, {{25, true}, {20, false}, {15, false}});   // G0 45, F 25
    AddIntersection(*scenario, 23, {{30, false}, {15, true}, {15, false}});  // G0 35, F 15
    return scenario;
}

std::vector<int32_t> Groups(const std::vector<uint8_t>& bits) {
    std::vector<int32_t> values;
    for (size_t first = 0; first + kBitsPerGroup <= bits.size(); first += kBitsPerGroup) {
        values.push_back(ReadGroup(bits, static_cast<int>(first)));
    }
    return values;
}

TEST(ExistingPlanSeed, EncodesOffsetsWeightsAndCycle) {
    auto scenario = TwoIntersections();
    ASSERT_EQ(scenario->minCycleTime, 45);
    const ChromosomeLayout layout = MakeLayout(*scenario, PlanVariant::FGFC);
    Individual individual(layout);
    ASSERT_FALSE(EncodeExistingPlan(*scenario, 60, layout, individual).has_value());
    EXPECT_EQ(Groups(individual.cycle), (std::vector<int32_t>{34}));  // 127 x 15 div 55
    EXPECT_EQ(Groups(individual.offset), (std::vector<int32_t>{7, 23}));
    // (20-10) x 15 div 35, (15-10) x 15 div 35; (30-10) x 25 div 45, (15-10) x 25 div 45.
    EXPECT_EQ(Groups(individual.stage), (std::vector<int32_t>{4, 2, 11, 2}));
}

TEST(ExistingPlanSeed, WebsterVersionRescalesWeightsAndCycle) {
    auto scenario = TwoIntersections();
    const ChromosomeLayout layout = MakeLayout(*scenario, PlanVariant::FGFC);
    Individual individual(layout);
    ASSERT_FALSE(EncodeExistingPlan(*scenario, 80, layout, individual).has_value());
    EXPECT_EQ(Groups(individual.cycle), (std::vector<int32_t>{80}));  // 127 x 35 div 55
    // 10 x 35 div 55, 5 x 35 div 55; 20 x 45 div 65, 5 x 45 div 65.
    EXPECT_EQ(Groups(individual.stage), (std::vector<int32_t>{6, 3, 13, 3}));
}

TEST(ExistingPlanSeed, ValuesOutsideSevenBitsKeepTheirLowBits) {
    auto scenario = TwoIntersections();
    scenario->intersections[1].offset = 130;
    const ChromosomeLayout layout = MakeLayout(*scenario, PlanVariant::FGFC);
    Individual individual(layout);
    ASSERT_FALSE(EncodeExistingPlan(*scenario, 40, layout, individual).has_value());
    // 127 x (40 - 45) div 55 = -11: low 7 bits 117.
    EXPECT_EQ(Groups(individual.cycle), (std::vector<int32_t>{117}));
    EXPECT_EQ(Groups(individual.offset)[0], 2);
}

TEST(ExistingPlanSeed, SkippedWhenTheCycleLimitsAreEqual) {
    auto scenario = TwoIntersections();
    scenario->maxCycleTime = 45;
    const ChromosomeLayout layout = MakeLayout(*scenario, PlanVariant::FGFC);
    Individual individual(layout);
    const Individual before = individual;
    const auto reason = EncodeExistingPlan(*scenario, 60, layout, individual);
    ASSERT_TRUE(reason.has_value());
    EXPECT_NE(reason->find("45"), std::string::npos) << *reason;
    EXPECT_EQ(individual, before);
}

TEST(ExistingPlanSeed, SkippedWhenTheCycleEqualsAnIntersectionsFixedDurations) {
    auto scenario = TwoIntersections();
    const ChromosomeLayout layout = MakeLayout(*scenario, PlanVariant::FGFC);
    Individual individual(layout);
    const auto reason = EncodeExistingPlan(*scenario, 25, layout, individual);
    ASSERT_TRUE(reason.has_value());
    EXPECT_NE(reason->find("intersection 1"), std::string::npos) << *reason;
}

TEST(WebsterCycle, FromTheFlowRatiosOfTheMovements) {
    auto scenario = MakeTimingScenario(10, 120, 1);
    scenario->lostTime = 4;
    scenario->saturationFlow = 1800;
    scenario->endSimulationStep = 100;
    AddIntersection(*scenario, 0, {{20, false}, {20, false}});  // L = 8: 1.5 x 8 + 5 = 17
    AddIntersection(*scenario, 0, {{20, true}, {20, false}});   // L = 24, no movement: 41
    AddSignal(*scenario, 1, "YN");
    AddSignal(*scenario, 1, "NY");
    scenario->numCells = 3;
    scenario->cells[1].laneNum = 2;
    scenario->cells[1].signalID = 1;
    scenario->cells[2].laneNum = 1;
    scenario->cells[2].signalID = 2;
    scenario->cells[3].laneNum = 1;  // unsignalised: not counted
    auto tables = test::ClassicTimeTables();
    RunRecording run(3, 1, 102, {1, 2, 3}, RunRecording::kInflow);
    for (int t = 0; t <= 100; ++t) {
        run.put(RunRecording::kInflow, 1, t, 0.5f);  // 25.25 per lane over 101 s: y = 0.505
        run.put(RunRecording::kInflow, 2, t, 0.1f);  // 10.1: y = 0.202
        run.put(RunRecording::kInflow, 3, t, 5.0f);
    }
    run.put(RunRecording::kInflow, 1, 101, 100.0f);  // after the end of the simulation
    // Intersection 1: 17 / (1 - 0.707) = 58.02; intersection 2: 41.
    EXPECT_EQ(test::WebsterCycle(*scenario, *tables, run), 58);
    scenario->maxCycleTime = 50;
    EXPECT_EQ(test::WebsterCycle(*scenario, *tables, run), 50);
}

TEST(WebsterCycle, SaturatedIntersectionsAreIgnored) {
    auto scenario = MakeTimingScenario(10, 120, 1);
    scenario->lostTime = 4;
    scenario->saturationFlow = 3600;
    scenario->endSimulationStep = 10;
    AddIntersection(*scenario, 0, {{20, false}, {20, false}});
    AddSignal(*scenario, 1, "YN");
    scenario->numCells = 1;
    scenario->cells[1].laneNum = 1;
    scenario->cells[1].signalID = 1;
    auto tables = test::ClassicTimeTables();
    RunRecording run(1, 1, 11, {1}, RunRecording::kInflow);
    for (int t = 0; t <= 10; ++t)
        run.put(RunRecording::kInflow, 1, t, 2.0f);  // y = 2.2
    EXPECT_EQ(test::WebsterCycle(*scenario, *tables, run), 0);
}

// Two movements of one intersection; movement 1 has cells 1 and 2, movement 2 cell 3.
std::unique_ptr<Scenario> SharedMovement(int32_t timeStep, int32_t end) {
    auto scenario = MakeTimingScenario(10, 120, 1);
    scenario->timeStep = timeStep;
    scenario->endSimulationStep = end;
    AddIntersection(*scenario, 0, {{20, false}, {20, false}});
    AddSignal(*scenario, 1, "YN");
    AddSignal(*scenario, 1, "NY");
    scenario->numCells = 3;
    for (const int c : {1, 2, 3})
        scenario->cells[c].laneNum = 1;
    scenario->cells[1].signalID = 1;
    scenario->cells[2].signalID = 1;
    scenario->cells[3].signalID = 2;
    return scenario;
}

// The volumes of runs with the inflows of steps 1, 2, ... per cell, in as many passes as
// needed.
std::vector<float> VolumesOfRuns(const Scenario& scenario, const TimeTables& tables,
                                 const std::vector<std::vector<float>>& steps,
                                 size_t storedValues = WebsterVolumes::kStoredValues) {
    WebsterVolumes volumes(scenario, tables, scenario.timeStep, int32_t(steps.size()),
                           storedValues);
    do {
        for (size_t k = 1; k <= steps.size(); ++k)
            volumes.take(int32_t(k), steps[k - 1].data());
    } while (volumes.finishPass());
    return volumes.volumes();
}

// The cells of a movement are summed one after the other, as a sum over the finished run
// adds them: in step order the 1s would be lost beside the large inflow, in cell order
// they are not. So it stays when the kept inflows do not fit and further passes are run.
TEST(WebsterVolumes, CellsOfAMovementAreSummedCellByCell) {
    auto scenario = SharedMovement(1, 3);
    scenario->numCells = 4;
    scenario->cells[4].laneNum = 1;
    scenario->cells[4].signalID = 1;
    auto tables = test::ClassicTimeTables();
    // 2^24 on cell 2: past it only even integers, so cell 4's quarters are lost after it.
    // Steps 4 and 5 start after the end.
    const std::vector<float> later{0.0f, 1.0f, 0.0f, 0.5f, 0.25f};
    const std::vector<std::vector<float>> steps{
        {0.0f, 1.0f, 16777216.0f, 0.5f, 0.25f}, later, later, later, later};
    const std::vector<float> expected{16777220.0f, 2.0f};
    for (const size_t stored : {size_t(0), size_t(4), WebsterVolumes::kStoredValues}) {
        EXPECT_EQ(VolumesOfRuns(*scenario, *tables, steps, stored), expected) << stored;
    }
}

// With longer steps a step start has the step's inflow and a second within it its loading.
TEST(WebsterVolumes, LongerStepsAddTheLoadingsBetweenStepStarts) {
    auto scenario = SharedMovement(2, 5);
    auto tables = test::ClassicTimeTables();
    tables->load(1, 0, 9, 0.25f);
    tables->load(2, 0, 9, 0.125f);
    // The run ends at second 4. Cell 1: seconds 0, 2 from the run, 1, 3, 5 loaded, 4 past
    // the run; cell 2 the same.
    const std::vector<float> inflows{0.0f, 1.0f, 2.0f, 4.0f};
    EXPECT_EQ(VolumesOfRuns(*scenario, *tables, {inflows, inflows}),
              (std::vector<float>{2.0f + 0.75f + 4.0f + 0.375f, 8.0f}));
}

TEST(StageSeeds, VgfcRepeatsEachIntersectionsWeightGroupsPerCycle) {
    auto scenario = TwoIntersections();
    scenario->phaseCycle = 3;
    const ChromosomeLayout fgfc = MakeLayout(*scenario, PlanVariant::FGFC);
    const ChromosomeLayout vgfc = MakeLayout(*scenario, PlanVariant::VGFC);
    Individual best(fgfc);
    WriteGroup(best.cycle, 0, 99);
    WriteGroup(best.offset, 0, 5);
    WriteGroup(best.offset, 7, 6);
    for (int g = 0; g < 4; ++g)
        WriteGroup(best.stage, 7 * g, g + 1);
    const Individual seed = SeedFromFgfc(*scenario, vgfc, best);
    EXPECT_EQ(Groups(seed.cycle), (std::vector<int32_t>{99}));
    EXPECT_EQ(Groups(seed.offset), (std::vector<int32_t>{5, 6}));
    EXPECT_EQ(Groups(seed.stage), (std::vector<int32_t>{1, 2, 1, 2, 1, 2, 3, 4, 3, 4, 3, 4}));

    // The seed decodes to the FGFC stage times in every cycle, up to the FGFC correction.
    DecodedPlan fgfcPlan, vgfcPlan;
    DecodeIndividual(*scenario, fgfc, best, fgfcPlan);
    DecodeIndividual(*scenario, vgfc, seed, vgfcPlan);
    EXPECT_EQ(vgfcPlan.cycleLength, fgfcPlan.cycleLength);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(vgfcPlan.stages.slotDuration[1][3 * c + 3], fgfcPlan.stages.slotDuration[1][3]);
        EXPECT_EQ(vgfcPlan.stages.slotDuration[2][3 * c + 3], fgfcPlan.stages.slotDuration[2][3]);
    }
}

TEST(StageSeeds, VgvcCopiesTheCycleGroupIntoEveryIntersectionAndCycle) {
    auto scenario = TwoIntersections();
    scenario->phaseCycle = 2;
    const ChromosomeLayout vgfc = MakeLayout(*scenario, PlanVariant::VGFC);
    const ChromosomeLayout vgvc = MakeLayout(*scenario, PlanVariant::VGVC);
    Individual best(vgfc);
    WriteGroup(best.cycle, 0, 77);
    WriteGroup(best.offset, 7, 12);
    WriteGroup(best.stage, 21, 9);
    const Individual seed = SeedFromVgfc(vgvc, best);
    EXPECT_EQ(Groups(seed.cycle), (std::vector<int32_t>{77, 77, 77, 77}));
    EXPECT_EQ(seed.offset, best.offset);
    EXPECT_EQ(seed.stage, best.stage);
}

TEST(StageSeeds, BestRecordCarriesIntoTheNextLayout) {
    auto scenario = TwoIntersections();
    scenario->phaseCycle = 2;
    auto best = std::make_unique<BestPlan>();
    best->twd = 123.0f;
    best->plan.cycleLength = 64;
    best->plan.sizeFor(*scenario);
    const int durations[2][3] = {{25, 22, 17}, {31, 15, 18}};
    for (int p = 1; p <= 2; ++p) {
        for (int k = 1; k <= 3; ++k)
            best->plan.stages.slotDuration[p][k] = durations[p - 1][k - 1];
    }
    const Individual vgfcSeed(MakeLayout(*scenario, PlanVariant::VGFC));
    CarryBestInto(*scenario, PlanVariant::VGFC, vgfcSeed, *best);
    EXPECT_TRUE(best->plan.stages.variesByCycle);
    EXPECT_EQ(best->variant, PlanVariant::VGFC);
    for (int p = 1; p <= 2; ++p) {
        for (int slot = 1; slot <= 6; ++slot) {
            EXPECT_EQ(best->plan.stages.slotDuration[p][slot], durations[p - 1][(slot - 1) % 3]);
        }
    }
    const Individual vgvcSeed(MakeLayout(*scenario, PlanVariant::VGVC));
    CarryBestInto(*scenario, PlanVariant::VGVC, vgvcSeed, *best);
    EXPECT_EQ(best->plan.cycleOf[1][1], 64);
    EXPECT_EQ(best->plan.cycleOf[2][2], 64);
    EXPECT_EQ(best->chromosome, vgvcSeed);
    EXPECT_EQ(best->twd, 123.0f);
}

}  // namespace
}  // namespace talvo
