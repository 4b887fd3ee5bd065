#pragma once

#include <optional>
#include <string>
#include <vector>

#include "GroupTable.h"

namespace talvo {

// The group (1..count) that lists the cell, or 0 when none does.
int GroupOfCell(const GroupTable& table, int cellId);

// The refusal for making a new group of the selected cells, or nothing when it may be
// made. The checks run in a fixed order; the first that fails gives the message.
std::optional<std::string> CheckNewGroup(const GroupTable& table,
                                         const std::vector<int>& selectedCellIds);

// Appends a new group holding the cells in selection order; returns its number. The caller
// has passed CheckNewGroup first.
int AddGroup(GroupTable& table, const std::vector<int>& selectedCellIds);

// Cells the dialogs offer for adding to a group: for an empty group every cell, otherwise the
// cells joined by a link (either direction) to one of its cells; in both cases only cells in
// no group of this kind, in the network's table order.
std::vector<int> CandidateCells(const GroupTable& table, int group, const NetworkView& network);

}  // namespace talvo
