#include "model/DisplayModel.h"

#include <algorithm>

#include "common/RecordLookup.h"

namespace talvo::display {

int PlanEndMarker(const GlobalParameters& parameters) {
    const long long lastOccupancy =
        static_cast<long long>(parameters.endSimulationStep) + parameters.timeStep;
    return static_cast<int>(std::max<long long>(kPlanEndMarker, lastOccupancy));
}

double DisplayModel::occupancyAt(int cellID, int step) const {
    const auto found = occupancy.find(cellID);
    if (found == occupancy.end() || step < 0 || step >= static_cast<int>(found->second.size())) {
        return 0.0;
    }
    return found->second[static_cast<size_t>(step)];
}

const SignalRow* DisplayModel::signalRowOfLink(int linkID) const {
    const auto found = signalRows.find(linkID);
    return found == signalRows.end() ? nullptr : &found->second;
}

int SignalRow::stateAtColumn(int column) const {
    if (column < 1 || column >= static_cast<int>(states.size())) {
        return kRed;
    }
    return states[static_cast<size_t>(column)];
}

int DisplayModel::signalStateAt(int linkID, int step) const {
    const SignalRow* row = signalRowOfLink(linkID);
    return row == nullptr ? kRed : row->stateAtColumn(step - parameters().startStep);
}

int DisplayModel::signalColumns() const {
    return std::max(0, parameters().endStep - parameters().startStep);
}

void DisplayModel::sizeSignalTable() {
    signalRows.clear();
    const NetworkTables& tables = project.tables;
    const IdPositions cells(tables.cells, &CellRecord::cellID);
    for (const LinkRecord& link : tables.links) {
        if (link.passNode == 0) {
            continue;
        }
        SignalRow row;
        row.states.assign(static_cast<size_t>(signalColumns()) + 1, kRed);
        const int from = cells.positionOf(link.fromCell);
        row.states[0] = from >= 0 ? tables.cells[static_cast<size_t>(from)].signalID : 0;
        signalRows[link.linkID] = std::move(row);
    }
}

}  // namespace talvo::display
