#include "input/NetworkPreparation.h"

#include <algorithm>

namespace talvo {

namespace {

constexpr size_t kNameWidth = 11;

bool HasFixedCapacity(CellKind kind) {
    return kind == CellKind::Origin || kind == CellKind::Destination;
}

// The fixed holding capacity of origins and destinations: they never fill up.
constexpr float kUnlimitedCapacity = 99999.0f;

}  // namespace

int ResolveCellName(const Scenario& scenario, std::string_view name) {
    std::string key(name.substr(0, kNameWidth));
    key.resize(kNameWidth, ' ');
    for (int i = scenario.numCells; i >= 1; --i) {
        if (scenario.cells[i].cellName == key) {
            return i;
        }
    }
    return 0;
}

void SetFillFractions(Scenario& scenario) {
    const float fraction = scenario.initialCellOccupancy * 0.01f;
    for (int i = 1; i <= scenario.numCells; ++i) {
        scenario.cells[i].fFULL = fraction;
    }
}

void ResolveNeighbours(Scenario& scenario, const std::vector<NeighbourNames>& names) {
    for (int i = 1; i <= scenario.numCells && i < int(names.size()); ++i) {
        Cell& cell = scenario.cells[i];
        cell.from1 = ResolveCellName(scenario, names[i].from1);
        cell.from2 = ResolveCellName(scenario, names[i].from2);
        cell.to1 = ResolveCellName(scenario, names[i].to1);
        cell.to2 = ResolveCellName(scenario, names[i].to2);
    }
}

void ComputeCellCapacities(Scenario& scenario, TimeTables& tables) {
    // The products are formed left to right in double and rounded to float once, after
    // the division, so that the capacities do not depend on float rounding on the way.
    const double timeStep = scenario.timeStep;
    for (int i = 1; i <= scenario.numCells; ++i) {
        Cell& cell = scenario.cells[i];
        if (HasFixedCapacity(cell.kind)) {
            cell.holdingCapacity = kUnlimitedCapacity;
            tables.n0(i) = 0.0f;
        } else {
            cell.holdingCapacity = float(double(cell.laneNum) * double(cell.fMax) * timeStep *
                                         double(scenario.jamDensity) / 3600.0);
            tables.n0(i) = cell.holdingCapacity * cell.fFULL;
        }
        cell.qMax = float(double(cell.fTURN) * double(cell.laneNum) * double(cell.fMax) * timeStep *
                          double(scenario.saturationFlow) / 3600.0);
    }
}

void SeedOriginOccupancy(const Scenario& scenario, TimeTables& tables) {
    for (int i = 1; i <= scenario.numCells; ++i) {
        if (scenario.cells[i].kind == CellKind::Origin) {
            tables.n0(i) = tables.n0(scenario.cells[i].to1);  // row 0 reads 0
        }
    }
}

void LoadDemand(const Scenario& scenario, const Loading& loading, TimeTables& tables) {
    if (loading.cell < 1 || loading.cell > scenario.numCells) {
        return;
    }
    float amount = float(scenario.timeStep) * loading.loadRate / 3600.0f;
    if (scenario.optimising()) {
        amount = amount * scenario.volMultiplier;
    }
    tables.load(loading.cell, loading.loadStart, loading.loadEnd, amount);
}

void ApplyStageFixing(Scenario& scenario, int p, const std::vector<int32_t>& flags) {
    Intersection& node = scenario.intersections[p];
    const int count = std::min<int>(node.stageCount, int(flags.size()) - 1);
    for (int k = 1; k <= count; ++k) {
        if (flags[k] < 1) {
            node.stageFixed[k] = 0;
            node.stageDuration[k] = flags[k];
            node.stageDuration[0] += scenario.minGreenTime;
        } else {
            node.stageFixed[k] = 1;
            node.stageDuration[k] = node.stageTime[k];
            node.stageDuration[0] += node.stageTime[k];
        }
    }
    const int32_t before = p > 1 ? scenario.intersections[p - 1].stageTotal : 0;
    node.stageTotal = before + node.stageCount;
}

void DeriveMinCycle(Scenario& scenario) {
    int32_t longest = 0;
    for (size_t p = 1; p < scenario.intersections.size(); ++p) {
        longest = std::max(longest, scenario.intersections[p].stageDuration[0]);
    }
    scenario.minCycleTime = longest;
}

void ResolveGroupCells(const Scenario& scenario, const std::vector<std::string>& names,
                       Group& group) {
    const size_t places = std::min<size_t>(names.size(), group.cells.size() - 1);
    for (size_t m = 0; m < places; ++m) {
        group.cells[m + 1] = ResolveCellName(scenario, names[m]);
    }
}

}  // namespace talvo
