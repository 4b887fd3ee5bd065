#pragma once

#include <string>
#include <vector>

#include "GroupTable.h"
#include "model/EditResult.h"

namespace talvo {

// Whether a new group of the selected cells may be made, with the refusal's message. The checks run
// in a fixed order; the first that fails gives the message.
EditResult CheckNewGroup(const GroupTable& table, const std::vector<int>& selectedCellIds);

// Appends a new group holding the cells in selection order; returns its number. The caller
// has passed CheckNewGroup first.
int AddGroup(GroupTable& table, const std::vector<int>& selectedCellIds);

// Cells the dialogs offer for adding to a group: for an empty group every cell, otherwise the
// cells joined by a link (either direction) to one of its cells; in both cases only cells in
// no group of this kind, in the network's table order.
std::vector<int> CandidateCells(const GroupTable& table, int group, const NetworkView& network);

}  // namespace talvo
