#include "model/CellTip.h"

#include <algorithm>
#include <cmath>

#include "model/DisplayScene.h"

namespace talvo::display {

std::optional<std::string> CellTipAt(const DisplayModel& model, const scene::MapNetwork& network,
                                     int step, scene::Point map) {
    for (const scene::MapCell& cell : network.cells) {
        if (!cell.rect.contains(map)) {
            continue;
        }
        std::string tip = "Cell " + std::to_string(cell.cellID) +
                          "\nOccupancy: " + FormatOccupancy(model.occupancyAt(cell.cellID, step)) +
                          " vehicles\nShade: ";
        if (cell.kind == scene::CellKind::Destination) {
            return tip + "none (destination)";
        }
        const double share = JamShare(model, cell, step);
        return tip + std::to_string(static_cast<int>(std::lround(100.0 * share))) +
               " % of jam density";
    }
    return std::nullopt;
}

}  // namespace talvo::display
