#include "model/ExportNaming.h"

#include <algorithm>

#include "model/NetworkQueries.h"

namespace talvo {

int FirstStreetOf(const NetworkTables& tables, int cellID) {
    for (std::size_t s = 0; s < tables.streets.size(); ++s) {
        const auto& ids = tables.streets[s].cellIDs;
        if (std::find(ids.begin(), ids.end(), cellID) != ids.end()) {
            return static_cast<int>(s) + 1;
        }
    }
    return 0;
}

std::string ExportType(const NetworkTables& tables, int cellIndex) {
    return CellType(tables, cellIndex).substr(0, 2);
}

CellNames::CellNames(const NetworkTables& tables) {
    for (std::size_t i = 0; i < tables.cells.size(); ++i) {
        const int id = tables.cells[i].cellID;
        const int street = FirstStreetOf(tables, id);
        if (street == 0 || names_.count(id) != 0) {
            continue;
        }
        names_[id] = std::to_string(street) + "-" + ExportType(tables, static_cast<int>(i) + 1) +
                     "-" + std::to_string(id);
    }
}

std::string CellNames::operator()(int cellID) const {
    const auto found = names_.find(cellID);
    return found == names_.end() ? std::string("0") : found->second;
}

std::vector<int> AssignMovementsToNodes(const NetworkTables& tables) {
    std::vector<int> movementNode(SignalOwnerCount(tables.cells) + 1, 0);
    for (std::size_t p = 0; p < tables.nodes.size(); ++p) {
        const NodeRecord& node = tables.nodes[p];
        for (const LinkRecord& link : tables.links) {
            if (link.passNode != node.nodeID || link.passNode == 0) {
                continue;
            }
            for (const int cellID : {link.fromCell, link.toCell}) {
                const int index = FindCellIndex(tables, cellID);
                if (index == 0) {
                    continue;
                }
                const int k = tables.cells[index - 1].signalID;
                if (k >= 1 && k < static_cast<int>(movementNode.size()) &&
                    NodeUsesMovement(node, k)) {
                    movementNode[k] = static_cast<int>(p) + 1;
                }
            }
        }
    }
    return movementNode;
}

}  // namespace talvo
