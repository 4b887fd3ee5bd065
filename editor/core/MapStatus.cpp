#include "core/MapStatus.h"

namespace talvo {

namespace {

template <typename Records>
const typename Records::value_type* At(const Records& records, int position) {
    if (position < 0 || position >= static_cast<int>(records.size())) {
        return nullptr;
    }
    return &records[static_cast<size_t>(position)];
}

}  // namespace

std::string ToolText(const SelectionState& selection) {
    switch (selection.currentTool) {
        case Tool::Arrow:
            return "Tool: Arrow";
        case Tool::Cell:
            return "Tool: Cell";
        case Tool::Link:
            if (selection.pendingLinkStart != 0) {
                return "Tool: Link from cell " + std::to_string(selection.pendingLinkStart);
            }
            return "Tool: Link";
        case Tool::Node:
            break;
    }
    return "Tool: Node";
}

std::string SelectionText(const NetworkTables& tables, const SelectionState& selection) {
    const int i = selection.selectedIndex;
    switch (selection.selectedKind) {
        case SelectedKind::Cell:
            if (const CellRecord* cell = At(tables.cells, i)) {
                return "Cell " + std::to_string(cell->cellID);
            }
            break;
        case SelectedKind::Link:
            if (const LinkRecord* link = At(tables.links, i)) {
                return "Link " + std::to_string(link->linkID) + " (" +
                       std::to_string(link->fromCell) + "->" + std::to_string(link->toCell) + ")";
            }
            break;
        case SelectedKind::Node:
            if (const NodeRecord* node = At(tables.nodes, i)) {
                return "Node " + std::to_string(node->nodeID);
            }
            break;
        case SelectedKind::StreetLabel:
            if (const StreetRecord* street = At(tables.streets, i)) {
                return "Street label " + street->streetName;
            }
            break;
        case SelectedKind::None:
            if (selection.multiSelection.size() == 1) {
                return "1 cell selected";
            }
            if (!selection.multiSelection.empty()) {
                return std::to_string(selection.multiSelection.size()) + " cells selected";
            }
            break;
    }
    return {};
}

}  // namespace talvo
