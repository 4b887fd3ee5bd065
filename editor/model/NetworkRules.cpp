#include "model/NetworkRules.h"

#include <algorithm>

#include "model/NetworkQueries.h"

namespace talvo {

namespace {

const char* const kLinkRefusalOpening = "The link can't be added.  It will make the cell: ";

bool ValidPosition(int position, std::size_t size) {
    return position >= 0 && position < static_cast<int>(size);
}

std::string Count(int n) {
    return std::to_string(n);
}

std::string SignalInUseMessage(int nodeID, int cellID) {
    return "Node " + std::to_string(nodeID) + " has used the signal at cell " +
           std::to_string(cellID) + ".  You have to remove the signal from the node first.";
}

}  // namespace

EditResult CheckAddCell(const NetworkTables& t) {
    if (static_cast<int>(t.cells.size()) >= Capacity::kCells) {
        return EditResult::Refused("You can't have more than " + Count(Capacity::kCells) +
                                   " cells.");
    }
    if (t.lastCellID >= Capacity::kMaxID) {
        return EditResult::Refused("No more cell numbers are left in this project.");
    }
    return EditResult::Done();
}

EditResult CheckAddNode(const NetworkTables& t) {
    if (static_cast<int>(t.nodes.size()) >= Capacity::kNodes) {
        return EditResult::Refused("You cannot add more than " + Count(Capacity::kNodes) +
                                   " nodes.");
    }
    if (t.lastCellID >= Capacity::kMaxID) {
        return EditResult::Refused("No more node numbers are left in this project.");
    }
    return EditResult::Done();
}

EditResult CheckAddLink(const NetworkTables& t, int fromCellID, int toCellID) {
    if (toCellID == fromCellID) {
        return EditResult::Refused("You cannot add link to the same cell.");
    }
    const int fromIndex = FindCellIndex(t, fromCellID);
    const int toIndex = FindCellIndex(t, toCellID);
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
        return EditResult::Refused("You can't have more than " + Count(Capacity::kLinks) +
                                   " links.");
    }
    if (t.lastLinkID >= Capacity::kMaxID) {
        return EditResult::Refused("No more link numbers are left in this project.");
    }
    return EditResult::Done();
}

CellRecord MakeCell(const NetworkTables& t, double x, double y, const NewCellDefaults& defaults) {
    CellRecord cell;
    cell.cellID = t.lastCellID + 1;
    cell.x = x;
    cell.y = y;
    cell.laneNum = defaults.laneNum;
    cell.orientation = defaults.orientation;
    cell.speed = defaults.speed;
    cell.ownOccupancy = false;
    cell.initialCarNum = 0;
    cell.capacityFactor = 1.0;
    cell.capacity = 1.0;
    cell.signalID = 0;
    cell.isDummy = false;
    return cell;
}

NodeRecord MakeNode(const NetworkTables& t, double x, double y) {
    NodeRecord node;  // one stage, offset 0, every stage 10 s, unoptimised, no movements
    node.nodeID = t.lastCellID + 1;
    node.x = x;
    node.y = y;
    return node;
}

LinkRecord MakeLink(const NetworkTables& t, int fromCellID, int toCellID) {
    LinkRecord link;
    link.linkID = t.lastLinkID + 1;
    link.fromCell = fromCellID;
    link.toCell = toCellID;
    link.passNode = 0;
    link.mergeDivert = 1.0;
    return link;
}

EditResult CheckDeleteCell(const NetworkTables& t, int position) {
    if (!ValidPosition(position, t.cells.size())) {
        return EditResult::Refused("There is no cell to delete.");
    }
    const CellRecord& cell = t.cells[position];
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
    return EditResult::Done(id);
}

EditResult CheckDeleteLink(const NetworkTables& t, int position) {
    if (!ValidPosition(position, t.links.size())) {
        return EditResult::Refused("There is no link to delete.");
    }
    const LinkRecord& link = t.links[position];
    const int nodeIndex = FindNodeIndex(t, link.passNode);
    const int fromIndex = FindCellIndex(t, link.fromCell);
    if (link.passNode != 0 && nodeIndex != 0 && fromIndex != 0) {
        const int movement = t.cells[fromIndex - 1].signalID;
        if (movement != 0 && NodeUsesMovement(t.nodes[nodeIndex - 1], movement)) {
            return EditResult::Refused(
                "You must delete the signal on the node's phase plan for cell " +
                std::to_string(link.fromCell) + " before deleting the link.");
        }
    }
    return EditResult::Done(link.linkID);
}

EditResult CheckDeleteNode(const NetworkTables& t, int position) {
    if (!ValidPosition(position, t.nodes.size())) {
        return EditResult::Refused("There is no node to delete.");
    }
    const int id = t.nodes[position].nodeID;
    for (const LinkRecord& link : t.links) {
        if (link.passNode == id) {
            return EditResult::Refused(
                "You can't delete this node because there are links referencing it.");
        }
    }
    return EditResult::Done(id);
}

int NodeRunningMovement(const NetworkTables& t, int movementID) {
    for (const NodeRecord& node : t.nodes) {
        if (NodeUsesMovement(node, movementID)) {
            return node.nodeID;
        }
    }
    return 0;
}

EditResult CheckCellSignal(const NetworkTables& t, int position, int signalID) {
    if (!ValidPosition(position, t.cells.size())) {
        return EditResult::Refused("There is no cell selected.");
    }
    if (signalID < 0 || signalID > Capacity::kSignals) {
        return EditResult::Refused("The signal ID must be between 1 and " +
                                   std::to_string(Capacity::kSignals) + ".");
    }
    const CellRecord& cell = t.cells[position];
    if (signalID == cell.signalID) {
        return EditResult::Done(signalID);
    }
    const int owner =
        signalID < static_cast<int>(t.signalOwner.size()) ? t.signalOwner[signalID] : 0;
    if (signalID != 0 && owner != 0 && owner != cell.cellID) {
        return EditResult::Refused("Signal " + std::to_string(signalID) +
                                   " is already used by cell " + std::to_string(owner) + ".");
    }
    // A movement that a stage plan runs cannot be taken from its cell.
    if (cell.signalID != 0) {
        if (const int node = NodeRunningMovement(t, cell.signalID); node != 0) {
            return EditResult::Refused(SignalInUseMessage(node, cell.cellID));
        }
    }
    return EditResult::Done(signalID);
}

EditResult CheckPassNode(const NetworkTables& t, int linkPosition, int nodeID) {
    if (!ValidPosition(linkPosition, t.links.size())) {
        return EditResult::Refused("There is no link selected.");
    }
    if (nodeID != 0 && FindNodeIndex(t, nodeID) == 0) {
        return EditResult::Refused("Node " + std::to_string(nodeID) + " does not exist.");
    }
    const LinkRecord& link = t.links[linkPosition];
    if (link.passNode == 0 || nodeID == link.passNode) {
        return EditResult::Done(nodeID);
    }
    const int node = FindNodeIndex(t, link.passNode);
    const int from = FindCellIndex(t, link.fromCell);
    const int signal = from != 0 ? t.cells[from - 1].signalID : 0;
    if (node != 0 && signal != 0 && NodeUsesMovement(t.nodes[node - 1], signal)) {
        return EditResult::Refused(SignalInUseMessage(link.passNode, link.fromCell));
    }
    return EditResult::Done(nodeID);
}

EditResult CheckIntervals(const std::vector<OriginInterval>& intervals) {
    if (static_cast<int>(intervals.size()) > Capacity::kOriginIntervals) {
        return EditResult::Refused("A cell can't have more than " +
                                   std::to_string(Capacity::kOriginIntervals) +
                                   " loading intervals.");
    }
    for (std::size_t i = 0; i < intervals.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        if (intervals[i].orVehPerHr < 0) {
            return EditResult::Refused("Negative Vechicles/Hour at interval #" + n +
                                       " is invalid.");
        }
        if (intervals[i].orEnd < intervals[i].orStart) {
            return EditResult::Refused("Interval #" + n + " has start-time later than end-time.");
        }
    }
    return EditResult::Done();
}

EditResult CheckStageCount(int count) {
    if (count < 1 || count > Capacity::kStages) {
        return EditResult::Refused("A node must have between 1 and " +
                                   std::to_string(Capacity::kStages) + " stages.");
    }
    return EditResult::Done();
}

EditResult CheckAddStageMove(const StageRecord& stage) {
    if (stage.stageMoveNum() >= Capacity::kStageMoves) {
        return EditResult::Refused("You can't have more than " +
                                   std::to_string(Capacity::kStageMoves) +
                                   " green signals in the same phase.");
    }
    return EditResult::Done();
}

EditResult CheckDeleteStage(const NodeRecord& node) {
    if (node.stageNum <= 1) {
        return EditResult::Refused(
            "You can't delete this phase.  Each node must have at least one phase.");
    }
    return EditResult::Done();
}

EditResult CheckGroupTables(const NetworkTables& t) {
    const auto tooMany = [](const auto& groups, int maxGroups, int maxCells) {
        if (static_cast<int>(groups.size()) > maxGroups) {
            return true;
        }
        return std::any_of(groups.begin(), groups.end(), [maxCells](const auto& group) {
            return static_cast<int>(group.cellIDs.size()) > maxCells;
        });
    };
    if (tooMany(t.streets, Capacity::kStreets, Capacity::kStreetCells)) {
        return EditResult::Refused("You can't have more than " + Count(Capacity::kStreets) +
                                   " streets of " + Count(Capacity::kStreetCells) + " cells each.");
    }
    if (tooMany(t.delayGroups, Capacity::kDelayGroups, Capacity::kGroupCells) ||
        tooMany(t.plotGroups, Capacity::kPlotGroups, Capacity::kGroupCells)) {
        return EditResult::Refused("You can't have more than " + Count(Capacity::kDelayGroups) +
                                   " special roads of " + Count(Capacity::kGroupCells) +
                                   " cells each.");
    }
    return EditResult::Done();
}

}  // namespace talvo
