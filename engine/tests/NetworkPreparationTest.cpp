// The numbers the preparation derives: capacities, initial occupancies, the demand table,
// the stage arithmetic and the minimum cycle.

#include <gtest/gtest.h>

#include <memory>

#include "ClassicSizes.h"
#include "SmallScenario.h"
#include "input/NetworkPreparation.h"

namespace talvo {
namespace {

struct Prepared {
    std::unique_ptr<Scenario> s = test::ClassicScenario();
    std::unique_ptr<TimeTables> t = test::ClassicTimeTables();
};

// One cell of each given kind with the given fields, neighbours by index.
Cell MakeCell(CellKind kind, float lanes, float speed, float turn = 1.0f) {
    Cell c;
    c.kind = kind;
    c.laneNum = lanes;
    c.fMax = speed;
    c.fTURN = turn;
    return c;
}

TEST(NetworkPreparation, OrdinaryCellCapacitiesAndInitialOccupancy) {
    Prepared p;
    p.s->timeStep = 1;
    p.s->jamDensity = 150;
    p.s->saturationFlow = 1800;
    p.s->initialCellOccupancy = 50;
    p.s->numCells = 1;
    p.s->cells[1] = MakeCell(CellKind::Ordinary, 2, 36);
    SetFillFractions(*p.s);
    ComputeCellCapacities(*p.s, *p.t);
    EXPECT_FLOAT_EQ(p.s->cells[1].fFULL, 0.5f);
    EXPECT_EQ(p.s->cells[1].holdingCapacity, 3.0f);
    EXPECT_EQ(p.t->n0(1), 1.5f);
    EXPECT_EQ(p.s->cells[1].qMax, 36.0f);
}

TEST(NetworkPreparation, OriginsAndDestinationsHoldWithoutLimit) {
    Prepared p;
    p.s->timeStep = 1;
    p.s->jamDensity = 150;
    p.s->saturationFlow = 1800;
    p.s->initialCellOccupancy = 50;
    p.s->numCells = 4;
    p.s->cells[1] = MakeCell(CellKind::Origin, 2, 36);
    p.s->cells[1].to1 = 2;
    p.s->cells[2] = MakeCell(CellKind::Ordinary, 2, 36);
    p.s->cells[3] = MakeCell(CellKind::Destination, 1, 30, 0.5f);
    p.s->cells[4] = MakeCell(CellKind::Origin, 1, 30);  // no downstream cell
    SetFillFractions(*p.s);
    ComputeCellCapacities(*p.s, *p.t);
    SeedOriginOccupancy(*p.s, *p.t);
    EXPECT_EQ(p.s->cells[1].holdingCapacity, 99999.0f);
    EXPECT_EQ(p.t->n0(1), 1.5f);  // the occupancy of its to1 cell
    EXPECT_EQ(p.s->cells[1].qMax, 36.0f);
    EXPECT_EQ(p.s->cells[3].holdingCapacity, 99999.0f);
    EXPECT_EQ(p.t->n0(3), 0.0f);
    EXPECT_EQ(p.s->cells[3].qMax, 7.5f);  // 0.5 x 1 x 30 x 1800 / 3600
    EXPECT_EQ(p.t->n0(4), 0.0f);
    EXPECT_EQ(p.t->n0(0), 0.0f);
}

TEST(NetworkPreparation, ZeroLanesGiveZeroCapacity) {
    Prepared p;
    p.s->timeStep = 1;
    p.s->jamDensity = 150;
    p.s->saturationFlow = 1800;
    p.s->numCells = 1;
    p.s->cells[1] = MakeCell(CellKind::Ordinary, 0, 36);
    ComputeCellCapacities(*p.s, *p.t);
    EXPECT_EQ(p.s->cells[1].holdingCapacity, 0.0f);
    EXPECT_EQ(p.s->cells[1].qMax, 0.0f);
}

TEST(NetworkPreparation, CapacityIsRoundedOnceAfterTheDivision) {
    // 3 x 42.5 x 1 x 145 / 3600 = 5.13541666...: formed in double, rounded to float once.
    Prepared p;
    p.s->timeStep = 1;
    p.s->jamDensity = 145;
    p.s->saturationFlow = 1900;
    p.s->numCells = 1;
    p.s->cells[1] = MakeCell(CellKind::Ordinary, 3, 42.5f, 0.85f);
    ComputeCellCapacities(*p.s, *p.t);
    EXPECT_EQ(p.s->cells[1].holdingCapacity, float(3.0 * 42.5 * 1.0 * 145.0 / 3600.0));
    EXPECT_EQ(p.s->cells[1].qMax, float(double(0.85f) * 3.0 * 42.5 * 1.0 * 1900.0 / 3600.0));
}

TEST(NetworkPreparation, DemandPerStepWithAndWithoutMultiplier) {
    for (const char flag : {'N', 'Y', 'y'}) {
        Prepared p;
        p.s->optimizationOn = flag;
        p.s->timeStep = 2;
        p.s->volMultiplier = 1.5f;
        p.s->numCells = 1;
        LoadDemand(*p.s, Loading{1, 3600.0f, 10, 20}, *p.t);
        const float expected = flag == 'N' ? 2.0f : 3.0f;
        EXPECT_EQ(p.t->x(1, 9), 0.0f);
        EXPECT_EQ(p.t->x(1, 10), expected);
        EXPECT_EQ(p.t->x(1, 15), expected);  // every second, not only step starts
        EXPECT_EQ(p.t->x(1, 20), expected);
        EXPECT_EQ(p.t->x(1, 21), 0.0f);
    }
}

TEST(NetworkPreparation, LaterLoadingReplacesEarlierOneWhereTheyOverlap) {
    Prepared p;
    p.s->timeStep = 1;
    p.s->numCells = 1;
    LoadDemand(*p.s, Loading{1, 3600.0f, 0, 10}, *p.t);
    LoadDemand(*p.s, Loading{1, 1800.0f, 5, 15}, *p.t);
    EXPECT_EQ(p.t->x(1, 4), 1.0f);
    EXPECT_EQ(p.t->x(1, 5), 0.5f);
    EXPECT_EQ(p.t->x(1, 10), 0.5f);
    EXPECT_EQ(p.t->x(1, 15), 0.5f);
}

TEST(NetworkPreparation, LoadingOfNoCellLoadsNothing) {
    Prepared p;
    p.s->timeStep = 1;
    p.s->numCells = 1;
    LoadDemand(*p.s, Loading{0, 3600.0f, 0, 9999}, *p.t);
    EXPECT_EQ(p.t->x(0, 0), 0.0f);
    EXPECT_EQ(p.t->x(0, 9999), 0.0f);
}

TEST(NetworkPreparation, StageFixingSumsFixedStagesAndMinimumGreens) {
    Prepared p;
    p.s->minGreenTime = 15;
    Intersection& node = p.s->intersections[1];
    node.stageCount = 3;
    node.stageTime = {0, 30, 20, 10};
    ApplyStageFixing(*p.s, 1, {0, 1, 0, 1});
    EXPECT_EQ(node.stageDuration[0], 55);  // 30 + 15 + 10
    EXPECT_EQ(node.stageDuration[1], 30);
    EXPECT_EQ(node.stageDuration[2], 0);  // an optimised stage keeps its flag as duration
    EXPECT_EQ(node.stageDuration[3], 10);
    EXPECT_EQ(node.stageFixed[1], 1);
    EXPECT_EQ(node.stageFixed[2], 0);
    EXPECT_EQ(node.stageTotal, 3);

    Intersection& second = p.s->intersections[2];
    second.stageCount = 2;
    second.stageTime = {0, 40, 25};
    ApplyStageFixing(*p.s, 2, {0, 1, 1});
    EXPECT_EQ(second.stageDuration[0], 65);
    EXPECT_EQ(second.stageTotal, 5);

    DeriveMinCycle(*p.s);
    EXPECT_EQ(p.s->minCycleTime, 65);
}

TEST(NetworkPreparation, FlagsAboveOneCountAsFixed) {
    Prepared p;
    p.s->minGreenTime = 5;
    Intersection& node = p.s->intersections[1];
    node.stageCount = 2;
    node.stageTime = {0, 12, 18};
    ApplyStageFixing(*p.s, 1, {0, 7, -2});
    EXPECT_EQ(node.stageFixed[1], 1);
    EXPECT_EQ(node.stageFixed[2], 0);
    EXPECT_EQ(node.stageDuration[2], -2);
    EXPECT_EQ(node.stageDuration[0], 17);
}

TEST(NetworkPreparation, SmallScenarioTablesAfterReading) {
    const auto result = test::ReadScenarioText(test::JoinLines(test::SmallScenarioLines()));
    const Scenario& s = *result.scenario;
    const TimeTables& t = *result.tables;
    // timeStep 2: a 2-lane 36 km/h cell holds 2 x 36 x 2 x 150 / 3600 = 6 vehicles.
    EXPECT_EQ(s.cells[2].holdingCapacity, 6.0f);
    EXPECT_EQ(t.n0(2), 3.0f);
    EXPECT_EQ(t.n0(1), 3.0f);  // origin: as its to1 cell
    EXPECT_EQ(s.cells[3].qMax, float(double(0.9f) * 2 * 36 * 2 * 1800 / 3600.0));
    EXPECT_EQ(t.n0(4), 0.0f);
    // Loadings: 3600 veh/h at timeStep 2 is 2 per second 0..9, then 1800 veh/h from 5 on;
    // not an optimisation run, so volMultiplier 1.5 does not apply.
    EXPECT_EQ(t.x(1, 4), 2.0f);
    EXPECT_EQ(t.x(1, 5), 1.0f);
    EXPECT_EQ(t.x(1, 12), 1.0f);
    EXPECT_EQ(t.x(1, 13), 0.0f);
    EXPECT_EQ(s.intersections[1].stageDuration[0], 40);
    EXPECT_EQ(s.minCycleTime, 40);
}

TEST(NetworkPreparation, VolumeMultiplierAppliesInOptimisationRuns) {
    const auto result = test::ReadScenarioText(test::SmallScenarioWith(1, "y"));
    EXPECT_EQ(result.tables->x(1, 4), 3.0f);
    EXPECT_EQ(result.tables->x(1, 5), 1.5f);
}

}  // namespace
}  // namespace talvo
