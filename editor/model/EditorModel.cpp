#include "model/EditorModel.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "model/NetworkQueries.h"
#include "model/ProjectWriter.h"

namespace talvo {

namespace {

const char* const kLinkRefusalOpening = "The link can't be added.  It will make the cell: ";

bool ValidIndex(int index, std::size_t size) {
    return index >= 1 && index <= static_cast<int>(size);
}

// A file whose counters lag behind the IDs it holds would make the next new cell, node
// or link share a number with an old one; a consistent file is left as it is.
void RaiseCountersAboveIDsInUse(NetworkTables& t) {
    for (const CellRecord& cell : t.cells) {
        t.lastCellID = std::max(t.lastCellID, cell.cellID);
    }
    for (const NodeRecord& node : t.nodes) {
        t.lastCellID = std::max(t.lastCellID, node.nodeID);
    }
    for (const LinkRecord& link : t.links) {
        t.lastLinkID = std::max(t.lastLinkID, link.linkID);
    }
}

}  // namespace

EditResult EditorModel::AddCell(double x, double y) {
    NetworkTables& t = project_.tables;
    if (static_cast<int>(t.cells.size()) >= Capacity::kCells) {
        return EditResult::Refused("You can't have more than 500 cells.");
    }
    if (t.lastCellID >= Capacity::kMaxInt16) {
        return EditResult::Refused("No more cell numbers are left in this project.");
    }
    CellRecord cell;
    cell.cellID = ++t.lastCellID;
    cell.x = x;
    cell.y = y;
    cell.laneNum = newCellDefaults_.laneNum;
    cell.orientation = newCellDefaults_.orientation;
    cell.speed = newCellDefaults_.speed;
    cell.ownOccupancy = false;
    cell.initialCarNum = 0;
    cell.capacityFactor = 1.0;
    cell.capacity = 1.0;
    cell.signalID = 0;
    cell.isDummy = false;
    t.cells.push_back(cell);
    return EditResult::Done(cell.cellID);
}

EditResult EditorModel::AddLink(int fromCellID, int toCellID) {
    NetworkTables& t = project_.tables;
    if (toCellID == fromCellID) {
        return EditResult::Refused("You cannot add link to the same cell.");
    }
    const int fromIndex = talvo::FindCellIndex(t, fromCellID);
    const int toIndex = talvo::FindCellIndex(t, toCellID);
    if (fromIndex == 0 || toIndex == 0) {
        return EditResult::Refused(
            "Cell #" + std::to_string(fromIndex == 0 ? fromCellID : toCellID) + " does not exist.");
    }
    const int fromOut = CountOutgoingLinks(t, fromCellID);
    const int fromIn = CountIncomingLinks(t, fromCellID);
    const int toOut = CountOutgoingLinks(t, toCellID);
    const int toIn = CountIncomingLinks(t, toCellID);
    if (fromOut >= 2) {
        return EditResult::Refused(kLinkRefusalOpening + std::to_string(fromCellID) +
                                   " having more than two outgoing links.");
    }
    if (toIn >= 2) {
        return EditResult::Refused(kLinkRefusalOpening + std::to_string(toCellID) +
                                   " having more than two incoming links.");
    }
    const char* const bothWays =
        " both diverting and converging.  It is advisable to use dummy cell.";
    if (fromOut + 1 == 2 && fromIn == 2) {
        return EditResult::Refused(kLinkRefusalOpening + std::to_string(fromCellID) + bothWays);
    }
    if (toIn + 1 == 2 && toOut == 2) {
        return EditResult::Refused(kLinkRefusalOpening + std::to_string(toCellID) + bothWays);
    }
    if (t.cells[toIndex - 1].orIntervalNum() > 0) {
        return EditResult::Refused(
            "Cell #" + std::to_string(toCellID) +
            " has been configured as OR cell.  You must remove its OR properties before You "
            "can add link to it.");
    }
    for (const LinkRecord& link : t.links) {
        if ((link.fromCell == fromCellID && link.toCell == toCellID) ||
            (link.fromCell == toCellID && link.toCell == fromCellID)) {
            return EditResult::Refused("You cannot add duplicate link.");
        }
    }
    if (static_cast<int>(t.links.size()) >= Capacity::kLinks) {
        return EditResult::Refused("You can't have more than 1000 links.");
    }
    if (t.lastLinkID >= Capacity::kMaxInt16) {
        return EditResult::Refused("No more link numbers are left in this project.");
    }
    LinkRecord link;
    link.linkID = ++t.lastLinkID;
    link.fromCell = fromCellID;
    link.toCell = toCellID;
    link.passNode = 0;
    link.mergeDivert = 1.0;
    t.links.push_back(link);
    return EditResult::Done(link.linkID);
}

EditResult EditorModel::AddNode(double x, double y) {
    NetworkTables& t = project_.tables;
    if (static_cast<int>(t.nodes.size()) >= Capacity::kNodes) {
        return EditResult::Refused("You cannot add more than 50 nodes.");
    }
    if (t.lastCellID >= Capacity::kMaxInt16) {
        return EditResult::Refused("No more node numbers are left in this project.");
    }
    NodeRecord node;  // one stage, offset 0, every stage 10 s, unoptimised, no movements
    node.nodeID = ++t.lastCellID;
    node.x = x;
    node.y = y;
    t.nodes.push_back(node);
    return EditResult::Done(node.nodeID);
}

int EditorModel::FindCellIndex(int cellID) const {
    return talvo::FindCellIndex(project_.tables, cellID);
}

int EditorModel::FindNodeIndex(int nodeID) const {
    return talvo::FindNodeIndex(project_.tables, nodeID);
}

int EditorModel::FindLinkIndex(int linkID) const {
    return talvo::FindLinkIndex(project_.tables, linkID);
}

EditResult EditorModel::DeleteCell(int cellIndex) {
    NetworkTables& t = project_.tables;
    if (!ValidIndex(cellIndex, t.cells.size())) {
        return EditResult::Refused("There is no cell to delete.");
    }
    const CellRecord& cell = t.cells[cellIndex - 1];
    const int id = cell.cellID;
    const std::string opening = "You can't delete this cell because ";
    if (cell.signalID != 0) {
        return EditResult::Refused(opening + "there is signal on it.");
    }
    for (const LinkRecord& link : t.links) {
        if (link.fromCell == id || link.toCell == id) {
            return EditResult::Refused(opening + "link: " + std::to_string(link.fromCell) + "->" +
                                       std::to_string(link.toCell) + " referencing it.");
        }
    }
    const auto listed = [id](const std::vector<int>& ids) {
        return std::find(ids.begin(), ids.end(), id) != ids.end();
    };
    for (std::size_t s = 0; s < t.streets.size(); ++s) {
        if (listed(t.streets[s].cellIDs)) {
            return EditResult::Refused(opening + "street: " + std::to_string(s + 1) +
                                       " referencing it.");
        }
    }
    for (std::size_t g = 0; g < t.delayGroups.size(); ++g) {
        if (listed(t.delayGroups[g].cellIDs)) {
            return EditResult::Refused(opening + "special road: " + std::to_string(g + 1) +
                                       " referencing it.");
        }
    }
    for (std::size_t g = 0; g < t.plotGroups.size(); ++g) {
        if (listed(t.plotGroups[g].cellIDs)) {
            return EditResult::Refused(opening + "CTM Plot: " + std::to_string(g + 1) +
                                       " referencing it.");
        }
    }
    // The last cell fills the freed slot; IDs stay as they are.
    t.cells[cellIndex - 1] = std::move(t.cells.back());
    t.cells.pop_back();
    return EditResult::Done(id);
}

EditResult EditorModel::DeleteLink(int linkIndex) {
    NetworkTables& t = project_.tables;
    if (!ValidIndex(linkIndex, t.links.size())) {
        return EditResult::Refused("There is no link to delete.");
    }
    const LinkRecord& link = t.links[linkIndex - 1];
    const int nodeIndex = talvo::FindNodeIndex(t, link.passNode);
    const int fromIndex = talvo::FindCellIndex(t, link.fromCell);
    if (link.passNode != 0 && nodeIndex != 0 && fromIndex != 0) {
        const int movement = t.cells[fromIndex - 1].signalID;
        if (movement != 0 && NodeUsesMovement(t.nodes[nodeIndex - 1], movement)) {
            return EditResult::Refused(
                "You must delete the signal on the node's phase plan for cell " +
                std::to_string(link.fromCell) + " before deleting the link.");
        }
    }
    const int id = link.linkID;
    // Later links move up, so the order of the remaining links (which decides a cell's
    // first and second neighbour in the export) is kept.
    t.links.erase(t.links.begin() + (linkIndex - 1));
    return EditResult::Done(id);
}

EditResult EditorModel::DeleteNode(int nodeIndex) {
    NetworkTables& t = project_.tables;
    if (!ValidIndex(nodeIndex, t.nodes.size())) {
        return EditResult::Refused("There is no node to delete.");
    }
    const int id = t.nodes[nodeIndex - 1].nodeID;
    for (const LinkRecord& link : t.links) {
        if (link.passNode == id) {
            return EditResult::Refused(
                "You can't delete this node because there are links referencing it.");
        }
    }
    // Later nodes move up: node positions number the intersections in the export.
    t.nodes.erase(t.nodes.begin() + (nodeIndex - 1));
    return EditResult::Done(id);
}

std::string EditorModel::CellType(int cellIndex) const {
    return talvo::CellType(project_.tables, cellIndex);
}

EditResult EditorModel::SetCellSignal(int cellIndex, int signalID) {
    NetworkTables& t = project_.tables;
    if (!ValidIndex(cellIndex, t.cells.size())) {
        return EditResult::Refused("There is no cell selected.");
    }
    if (signalID < 0 || signalID > Capacity::kSignals) {
        return EditResult::Refused("The signal ID must be between 1 and 100.");
    }
    CellRecord& cell = t.cells[cellIndex - 1];
    if (signalID != 0 && t.signalOwner[signalID] != 0 && t.signalOwner[signalID] != cell.cellID) {
        return EditResult::Refused("Signal " + std::to_string(signalID) +
                                   " is already used by cell " +
                                   std::to_string(t.signalOwner[signalID]) + ".");
    }
    if (cell.signalID >= 1 && cell.signalID <= Capacity::kSignals &&
        t.signalOwner[cell.signalID] == cell.cellID) {
        t.signalOwner[cell.signalID] = 0;
    }
    cell.signalID = signalID;
    if (signalID != 0) {
        t.signalOwner[signalID] = cell.cellID;
    }
    return EditResult::Done(signalID);
}

void EditorModel::ResetModel() {
    project_.tables = NetworkTables{};
    ResetParameters(project_.params);
}

void EditorModel::TakeSnapshot() {
    snapshot_ = project_.tables;
    hasSnapshot_ = true;
}

bool EditorModel::RestoreSnapshot() {
    if (!hasSnapshot_) {
        return false;
    }
    project_.tables = snapshot_;
    return true;
}

EditResult EditorModel::OpenProject(const std::string& path, ProjectLayout layout) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return EditResult::Refused("File not found!");
    }
    TakeSnapshot();
    ResetModel();
    ProjectReadResult result = ReadProject(path, layout, project_.params);
    lastReadDetail_ = result.detail;
    if (!result.ok) {
        ResetModel();
        return EditResult::Refused(kIncorrectFileFormat);
    }
    const int keptOccupancy = project_.params.initialCellOccupancy;
    project_ = std::move(result.project);
    project_.params.initialCellOccupancy = keptOccupancy;
    RaiseCountersAboveIDsInUse(project_.tables);
    return EditResult::Done();
}

EditResult EditorModel::SaveProject(const std::string& path) const {
    return talvo::SaveProject(path, project_);
}

}  // namespace talvo
