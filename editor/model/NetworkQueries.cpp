#include "model/NetworkQueries.h"

#include <algorithm>

namespace talvo {

int FindCellIndex(const NetworkTables& tables, int cellID) {
    for (std::size_t i = 0; i < tables.cells.size(); ++i) {
        if (tables.cells[i].cellID == cellID) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

int FindNodeIndex(const NetworkTables& tables, int nodeID) {
    for (std::size_t i = 0; i < tables.nodes.size(); ++i) {
        if (tables.nodes[i].nodeID == nodeID) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

int FindLinkIndex(const NetworkTables& tables, int linkID) {
    for (std::size_t i = 0; i < tables.links.size(); ++i) {
        if (tables.links[i].linkID == linkID) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

int CountIncomingLinks(const NetworkTables& tables, int cellID) {
    return static_cast<int>(std::count_if(tables.links.begin(), tables.links.end(),
                                          [&](const LinkRecord& l) { return l.toCell == cellID; }));
}

int CountOutgoingLinks(const NetworkTables& tables, int cellID) {
    return static_cast<int>(
        std::count_if(tables.links.begin(), tables.links.end(),
                      [&](const LinkRecord& l) { return l.fromCell == cellID; }));
}

std::string CellType(const NetworkTables& tables, int cellIndex) {
    if (cellIndex < 1 || cellIndex > static_cast<int>(tables.cells.size())) {
        return {};
    }
    const CellRecord& cell = tables.cells[cellIndex - 1];
    if (cell.isDummy) {
        return "DU";
    }
    const int inCount = CountIncomingLinks(tables, cell.cellID);
    const int outCount = CountOutgoingLinks(tables, cell.cellID);
    if (outCount == 2) {
        return inCount > 0 ? "DI" : "ORDI";
    }
    if (outCount == 1) {
        const auto& links = tables.links;
        for (std::size_t i = 0; i < links.size(); ++i) {
            if (links[i].fromCell != cell.cellID) {
                continue;
            }
            for (std::size_t j = 0; j < links.size(); ++j) {
                if (j == i || links[j].toCell != links[i].toCell) {
                    continue;
                }
                const bool atSignal = links[i].passNode != 0 || links[j].passNode != 0;
                if (atSignal) {
                    return inCount == 0 ? "ORMB" : "MB";
                }
                return inCount == 0 ? "ORME" : "ME";
            }
        }
        return inCount > 0 ? "TR" : "OR";
    }
    if (outCount == 0) {
        return inCount > 0 ? "DE" : "OR";
    }
    return "IV";
}

bool NodeUsesMovement(const NodeRecord& node, int movementID) {
    const int stages = node.usedStages();
    for (int s = 0; s < stages; ++s) {
        const auto& moves = node.stages[s].stageMoves;
        if (std::find(moves.begin(), moves.end(), movementID) != moves.end()) {
            return true;
        }
    }
    return false;
}

std::string JoinIDs(const std::vector<int>& ids) {
    std::string text;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (i > 0) {
            text += ", ";
        }
        text += std::to_string(ids[i]);
    }
    return text;
}

}  // namespace talvo
