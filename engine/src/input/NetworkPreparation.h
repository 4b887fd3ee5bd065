#pragma once
// Turns what the scenario file holds into the tables the simulation works on: fill
// fractions, neighbour indices, capacities, initial occupancies, the demand table, the
// stage arithmetic, the minimum cycle and the cells of each group. Each step runs inside
// the scenario reader at the point where its data are complete.

#include <array>
#include <string>
#include <vector>

#include "Scenario.h"

namespace talvo {

// The four neighbour names of one cell record, kept until every record is in.
struct NeighbourNames {
    std::string from1, from2, to1, to2;
};

// The index of the cell named `name` (compared on all 11 characters, blank padded, case
// sensitive); the later cell when several bear the name; 0 when none does.
int ResolveCellName(const Scenario& scenario, std::string_view name);

// Every cell starts equally full: initialCellOccupancy percent of its holding capacity.
void SetFillFractions(Scenario& scenario);

// names[i] holds the neighbour names of cell i (index 0 unused).
void ResolveNeighbours(Scenario& scenario, const std::vector<NeighbourNames>& names);

// Holding capacity, outflow capacity (qMax) and occupancy at time 0 of every cell.
void ComputeCellCapacities(Scenario& scenario, TimeTables& tables);

// Origin cells start with the occupancy of their first downstream cell.
void SeedOriginOccupancy(const Scenario& scenario, TimeTables& tables);

// Writes one loading into the inflow of its cell for every second loadStart..loadEnd,
// replacing what an earlier loading put there. A loading of no cell loads nothing.
void LoadDemand(const Scenario& scenario, const Loading& loading, TimeTables& tables);

// After the stage-fixing record of intersection p with flags[1..stageCount(p)]: which
// stages are optimised, the existing durations, the cycle sum and the running stage total.
void ApplyStageFixing(Scenario& scenario, int p, const std::vector<int32_t>& flags);

// minCycleTime: the largest cycle sum over all intersection places.
void DeriveMinCycle(Scenario& scenario);

// Places 1..names.size() of `group` get the indices of the named cells (0 for none).
void ResolveGroupCells(const Scenario& scenario, const std::vector<std::string>& names,
                       Group& group);

}  // namespace talvo
