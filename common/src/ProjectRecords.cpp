#include "common/ProjectRecords.h"

namespace talvo {

void ResetParameters(GlobalParameters& params) {
    GlobalParameters fresh;
    fresh.initialCellOccupancy = params.initialCellOccupancy;
    fresh.cellScaleX = params.cellScaleX;
    fresh.cellScaleY = params.cellScaleY;
    params = fresh;
}

}  // namespace talvo
