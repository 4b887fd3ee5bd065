#include "model/DisplayModel.h"

#include <algorithm>

namespace talvo::display {

int PlanEndMarker(const DisplayParameters& parameters) {
    const long long lastOccupancy =
        static_cast<long long>(parameters.endSimulationStep) + parameters.timeStep;
    return static_cast<int>(std::max<long long>(kPlanEndMarker, lastOccupancy));
}

double DisplayCell::occupancyAt(int step) const {
    if (step < 0 || step >= static_cast<int>(occupancy.size())) {
        return 0.0;
    }
    return occupancy[static_cast<size_t>(step)];
}

int DisplayModel::findCellIndex(int cellID) const {
    for (size_t i = 0; i < cells.size(); ++i) {
        if (cells[i].cellID == cellID) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int DisplayModel::findNodeIndex(int nodeID) const {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].nodeID == nodeID) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const SignalRow* DisplayModel::signalRowOfLink(int linkIndex) const {
    for (const SignalRow& row : signalRows) {
        if (row.linkIndex == linkIndex) {
            return &row;
        }
    }
    return nullptr;
}

int SignalRow::stateAtColumn(int column) const {
    if (column < 1 || column >= static_cast<int>(states.size())) {
        return kRed;
    }
    return states[static_cast<size_t>(column)];
}

int DisplayModel::signalStateAt(int linkIndex, int step) const {
    const SignalRow* row = signalRowOfLink(linkIndex);
    return row == nullptr ? kRed : row->stateAtColumn(step - parameters.startStep);
}

int DisplayModel::signalColumns() const {
    return std::max(0, parameters.endStep - parameters.startStep);
}

void DisplayModel::sizeSignalTable() {
    signalRows.clear();
    for (size_t i = 0; i < links.size(); ++i) {
        if (links[i].passNode == 0) {
            continue;
        }
        SignalRow row;
        row.linkIndex = static_cast<int>(i);
        row.states.assign(static_cast<size_t>(signalColumns()) + 1, kRed);
        const int fromIndex = findCellIndex(links[i].fromCell);
        row.states[0] = fromIndex >= 0 ? cells[static_cast<size_t>(fromIndex)].signalID : 0;
        signalRows.push_back(std::move(row));
    }
}

void ResetDisplayModel(DisplayModel& model) {
    model = DisplayModel{};
}

}  // namespace talvo::display
