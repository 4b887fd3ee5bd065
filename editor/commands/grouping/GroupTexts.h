#pragma once

#include <string>

#include "GroupTable.h"

namespace talvo {

// Limits and message texts of one group kind, as the user sees them.
struct GroupTexts {
    int maxGroups;
    int maxCells;
    const char* emptySelection;
    const char* conflictTail;  // follows "Cell " + list
    std::string tooManyGroups;
    std::string tooManyCellsOnAdd;  // empty: the multi-selection can never exceed it
    const char* noGroupSelected;
    std::string groupFull;
    // How the history names the "&Add" command and the setting dialog's changes.
    const char* addCommand;
    const char* editCommand;
};

const GroupTexts& TextsFor(GroupKind kind);

inline constexpr const char* kNoLeftCellSelected =
    "You haven't selected a cell from the left list.";
inline constexpr const char* kNoRightCellSelected =
    "You must select a cell from the right list for deletion.";

}  // namespace talvo
