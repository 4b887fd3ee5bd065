#include "core/MapStatus.h"

#include "common/RecordLookup.h"

namespace talvo {

namespace {

template <typename Record>
const Record* WithID(const std::vector<Record>& records, int Record::*idField, int id) {
    const int position = PositionOfID(records, idField, id);
    return position >= 0 ? &records[static_cast<size_t>(position)] : nullptr;
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
    const int id = selection.selectedID;
    switch (selection.selectedKind) {
        case SelectedKind::Cell:
            if (const CellRecord* cell = WithID(tables.cells, &CellRecord::cellID, id)) {
                return "Cell " + std::to_string(cell->cellID);
            }
            break;
        case SelectedKind::Link:
            if (const LinkRecord* link = WithID(tables.links, &LinkRecord::linkID, id)) {
                return "Link " + std::to_string(link->linkID) + " (" +
                       std::to_string(link->fromCell) + "->" + std::to_string(link->toCell) + ")";
            }
            break;
        case SelectedKind::Node:
            if (const NodeRecord* node = WithID(tables.nodes, &NodeRecord::nodeID, id)) {
                return "Node " + std::to_string(node->nodeID);
            }
            break;
        case SelectedKind::StreetLabel:
            if (id >= 0 && id < static_cast<int>(tables.streets.size())) {
                return "Street label " + tables.streets[static_cast<size_t>(id)].streetName;
            }
            break;
        case SelectedKind::None:
            if (selection.selectedCells.size() == 1) {
                return "1 cell selected";
            }
            if (!selection.selectedCells.empty()) {
                return std::to_string(selection.selectedCells.size()) + " cells selected";
            }
            break;
    }
    return {};
}

}  // namespace talvo
