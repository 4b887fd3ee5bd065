#pragma once
// Read-only questions about the network tables, shared by the editing operations, the
// export checks and the writers. Table indices are 1-based (0 = not found), as the
// windows use them for the selection.

#include <string>
#include <vector>

#include "common/ProjectRecords.h"

namespace talvo {

int FindCellIndex(const NetworkTables& tables, int cellID);
int FindNodeIndex(const NetworkTables& tables, int nodeID);
int FindLinkIndex(const NetworkTables& tables, int linkID);

int CountIncomingLinks(const NetworkTables& tables, int cellID);
int CountOutgoingLinks(const NetworkTables& tables, int cellID);

// Two- or four-letter code of the cell at a 1-based index: "OR", "ORDI", "ORME", "ORMB",
// "DE", "TR", "DI", "ME", "MB", "DU" or "IV". Empty for an index out of the table.
std::string CellType(const NetworkTables& tables, int cellIndex);

// Whether stages 1..stageNum of the node list the movement.
bool NodeUsesMovement(const NodeRecord& node, int movementID);

// IDs joined with ", " as the messages list them.
std::string JoinIDs(const std::vector<int>& ids);

}  // namespace talvo
