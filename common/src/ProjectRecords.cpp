#include "common/ProjectRecords.h"

#include <algorithm>

namespace talvo {

void ResetParameters(GlobalParameters& params) {
    GlobalParameters fresh;
    fresh.initialCellOccupancy = params.initialCellOccupancy;
    fresh.cellScaleX = params.cellScaleX;
    fresh.cellScaleY = params.cellScaleY;
    params = fresh;
}

int SignalOwnerCount(const std::vector<CellRecord>& cells) {
    int count = Capacity::kClassicSignals;
    for (const CellRecord& cell : cells) {
        count = std::max(count, cell.signalID);
    }
    return count;
}

}  // namespace talvo
