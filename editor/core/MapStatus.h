#pragma once
// What the status bar says about the editing: the tool and the selected object.

#include <string>

#include "common/ProjectRecords.h"
#include "core/SelectionState.h"

namespace talvo {

// "Tool: Arrow"; the link tool names the cell a link being drawn starts from.
std::string ToolText(const SelectionState& selection);
// "Cell 12", "Link 3 (1->2)", "Node 191", "Street label Main St", "4 cells selected", or
// nothing.
std::string SelectionText(const NetworkTables& tables, const SelectionState& selection);

}  // namespace talvo
