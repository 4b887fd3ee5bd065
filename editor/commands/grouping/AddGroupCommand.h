#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/ProjectRecords.h"
#include "grouping/GroupTable.h"

namespace talvo {

// What the "&Add" grouping commands need from the window.
struct AddGroupHooks {
    // Opens the street-name dialog on the new street; false when it was cancelled.
    std::function<bool(StreetRecord&)> askStreetName;
    std::function<void(const std::string&)> caution;
};

// Makes a new group of the kind from the cells of the multi-selection (cell IDs, in
// selection order) in tables, a copy the caller then hands to the model as one command. A
// refusal is shown and changes nothing. Returns true when the group was made.
bool AddGroupFromSelection(GroupKind kind, NetworkTables& tables, const std::vector<int>& cellIDs,
                           const AddGroupHooks& hooks);

}  // namespace talvo
