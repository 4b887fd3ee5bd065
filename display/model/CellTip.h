#pragma once
// The tooltip of a cell on the playback picture: its ID, its occupancy at the step shown
// and the share of jam density its shade stands for.

#include <optional>
#include <string>

#include "model/DisplayModel.h"
#include "scene/Geometry.h"
#include "scene/MapNetwork.h"

namespace talvo::display {

// The tip of the cell under a map point at a step; nothing where no cell lies.
std::optional<std::string> CellTipAt(const DisplayModel& model, const scene::MapNetwork& network,
                                     int step, scene::Point map);

}  // namespace talvo::display
