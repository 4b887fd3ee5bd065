#pragma once
// Which movements of one stage conflict: a movement runs through its node from the cell that
// holds its signal to the cell its link leads to; two movements conflict when those straight
// paths cross, which only movements from different approaches do (movements from one cell
// share their start, opposing ones run side by side).

#include <optional>
#include <utility>
#include <vector>

#include "common/ProjectRecords.h"

namespace talvo {

// The first pair of the stage's movements whose paths through the node cross, in the
// stage's order; nothing when none do.
std::optional<std::pair<int, int>> FirstConflict(const NetworkTables& tables,
                                                 const NodeRecord& node,
                                                 const std::vector<int>& stageMoves);

}  // namespace talvo
