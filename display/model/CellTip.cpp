#include "model/CellTip.h"

#include <algorithm>
#include <cmath>

#include "model/DisplayScene.h"

namespace talvo::display {

std::optional<std::string> CellTipAt(const DisplayModel& model, const scene::MapNetwork& network,
                                     int step, scene::Point map) {
    // The map and the model come from one project; a mismatch has tips for what both hold.
    const size_t cells = std::min(network.cells.size(), model.cells.size());
    for (size_t i = 0; i < cells; ++i) {
        const scene::MapCell& cell = network.cells[i];
        if (!cell.rect.contains(map)) {
            continue;
        }
        std::string tip = "Cell " + std::to_string(cell.cellID) +
                          "\nOccupancy: " + FormatOccupancy(model.cells[i].occupancyAt(step)) +
                          " vehicles\nShade: ";
        if (cell.kind == scene::CellKind::Destination) {
            return tip + "none (destination)";
        }
        const double share = JamShare(model.cells[i], model.parameters, step);
        return tip + std::to_string(static_cast<int>(std::lround(100.0 * share))) +
               " % of jam density";
    }
    return std::nullopt;
}

}  // namespace talvo::display
